VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "파일 열기"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "프로그램 종료"
   End
   Begin VB.Label lblList 
      Caption         =   "목록"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
