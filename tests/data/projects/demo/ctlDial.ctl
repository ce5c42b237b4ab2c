VERSION 5.00
Begin VB.UserControl ctlDial 
   ClientHeight    =   600
End
Attribute VB_Name = "ctlDial"
