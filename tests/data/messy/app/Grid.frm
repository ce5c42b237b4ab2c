VERSION 5.00
Begin VB.Form Grid
   Caption         =   "Grid totals"
   ClientHeight    =   1200
End
Attribute VB_Name = "Grid"
Option Explicit
Private Declare Function GetTickCount Lib "kernel32" () As Long
Private Declare Sub Sleep Lib "kernel32" (ByVal ms As Long)
Private Declare Function GetDC Lib "user32" (ByVal hWnd As Long) As Long
Private Declare Function GetCurrentThreadId Lib "kernel32" () As Long

Private Sub LoadLines(Optional bQuick = False)
    Dim unusedHere As Long
    Dim untyped
    untyped = GetTickCount
End Sub
