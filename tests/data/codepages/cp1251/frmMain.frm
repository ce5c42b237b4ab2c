VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Открыть файл"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "Выход"
   End
   Begin VB.Label lblList 
      Caption         =   "Список"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
