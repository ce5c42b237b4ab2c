VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmMain 
   Caption         =   "Demo"
   ClientHeight    =   3195
   Begin VB.CommandButton cmdOk 
      Caption         =   "OK"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit
