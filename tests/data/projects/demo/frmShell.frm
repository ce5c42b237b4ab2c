VERSION 5.00
Begin VB.MDIForm mdiShell 
   Caption         =   "Shell"
End
Attribute VB_Name = "mdiShell"
