VERSION 5.00
Begin VB.Form frmOnly 
   Caption         =   "Greeting"
   ClientHeight    =   855
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   3375
   LinkTopic       =   "Form1"
   ScaleHeight     =   855
   ScaleWidth      =   3375
   StartUpPosition =   3  'Windows Default
   Begin VB.Label lblGreeting 
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   240
      Width           =   3135
   End
End
Attribute VB_Name = "frmOnly"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub Form_Load()
    lblGreeting.Caption = Greeting("world")
End Sub
