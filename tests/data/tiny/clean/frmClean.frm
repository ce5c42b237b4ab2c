VERSION 5.00
Begin VB.Form frmClean 
   Caption         =   "Click Counter"
   ClientHeight    =   1215
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   3375
   LinkTopic       =   "Form1"
   ScaleHeight     =   1215
   ScaleWidth      =   3375
   StartUpPosition =   3  'Windows Default
   Begin VB.CommandButton cmdAdd 
      Caption         =   "&Add"
      Default         =   -1  'True
      Height          =   375
      Left            =   2040
      TabIndex        =   0
      Top             =   600
      Width           =   1215
   End
   Begin VB.Label lblResult 
      Caption         =   "No clicks yet"
      Height          =   255
      Left            =   120
      TabIndex        =   1
      Top             =   120
      Width           =   3135
   End
End
Attribute VB_Name = "frmClean"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private mClicks As Long

Private Sub Form_Load()
    mClicks = 0
    lblResult.Caption = FormatCount(mClicks)
End Sub

Private Sub cmdAdd_Click()
    mClicks = AddOne(mClicks)
    lblResult.Caption = FormatCount(mClicks)
End Sub
