VERSION 5.00
Begin VB.Form frmNoEnd 
   Caption         =   "Unclosed"
   ClientHeight    =   1500
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   3600
   LinkTopic       =   "Form1"
   ScaleHeight     =   1500
   ScaleWidth      =   3600
   Begin VB.TextBox txtNote 
      Height          =   285
      Left            =   840
      TabIndex        =   1
      Text            =   "note"
      Top             =   240
      Width           =   2535
   End
   Begin VB.Label lblNote 
      Caption         =   "Note:"
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   270
      Width           =   615
Attribute VB_Name = "frmNoEnd"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub Form_Load()
    txtNote.Text = ""
    lblNote.Caption = "Your note:"
End Sub
