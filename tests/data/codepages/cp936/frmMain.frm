VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "打开文件对话框"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "退出程序"
   End
   Begin VB.Label lblList 
      Caption         =   "文件列表"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
