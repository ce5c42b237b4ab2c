VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Übersicht öffnen"
   ClientHeight    =   3000
   Begin VB.CommandButton cmdQuit 
      Caption         =   "Schließen"
   End
   Begin VB.Label lblList 
      Caption         =   "Liste"
   End
End
Attribute VB_Name = "frmMain"
Option Explicit

Private Sub cmdQuit_Click()
    Unload Me
End Sub
