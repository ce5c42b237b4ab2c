VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "請求書を表示"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "ソフト終了"
   End
   Begin VB.Label lblList 
      Caption         =   "能力表"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
