VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "許可功能設定"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "關閉視窗"
   End
   Begin VB.Label lblList 
      Caption         =   "許功蓋"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
