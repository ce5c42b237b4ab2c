VERSION 5.00
Object = "{5E9E78A0-531B-11CF-91F6-C2863C385E30}#1.0#0"; "MSFLXGRD.OCX"
Begin VB.Form frmGrid 
   Caption         =   "Order Lines"
   ClientHeight    =   4860
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   7545
   LinkTopic       =   "Form1"
   MDIChild        =   -1  'True
   ScaleHeight     =   4860
   ScaleWidth      =   7545
   Begin VB.ListBox lstStatus 
      Height          =   840
      ItemData        =   "frmGrid.frx":0000
      Left            =   120
      List            =   "frmGrid.frx":0002
      TabIndex        =   3
      Top             =   3840
      Width           =   2175
   End
   Begin VB.CommandButton cmdRefresh 
      Caption         =   "&Refresh"
      Height          =   375
      Left            =   6120
      TabIndex        =   2
      Top             =   4320
      Width           =   1215
   End
   Begin VB.Frame fraOuter 
      Caption         =   "Orders"
      Height          =   3615
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   7335
      Begin VB.PictureBox picHolder 
         BorderStyle     =   0  'None
         Height          =   3255
         Left            =   120
         ScaleHeight     =   3255
         ScaleWidth      =   7095
         TabIndex        =   1
         Top             =   240
         Width           =   7095
         Begin VB.Frame fraInner 
            Caption         =   "Lines"
            Height          =   3135
            Left            =   0
            TabIndex        =   4
            Top             =   0
            Width           =   7095
            Begin VB.PictureBox picGrid 
               BorderStyle     =   0  'None
               Height          =   2775
               Left            =   120
               ScaleHeight     =   2775
               ScaleWidth      =   6855
               TabIndex        =   5
               Top             =   240
               Width           =   6855
               Begin MSFlexGridLib.MSFlexGrid grdLines 
                  Height          =   1935
                  Left            =   0
                  TabIndex        =   6
                  Top             =   0
                  Width           =   6855
                  _ExtentX        =   12091
                  _ExtentY        =   3413
                  _Version        =   393216
                  Rows            =   12
                  Cols            =   4
                  FixedCols       =   0
                  AllowUserResizing=   1
                  FormatString    =   "<Item      |>Qty |>Price   |<Note                "
                  BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} 
                     Name            =   "MS Sans Serif"
                     Size            =   8.25
                     Charset         =   0
                     Weight          =   400
                     Underline       =   0   'False
                     Italic          =   0   'False
                     Strikethrough   =   0   'False
                  EndProperty
               End
               Begin GridPlus.Grid grdTotals 
                  Height          =   735
                  Left            =   0
                  TabIndex        =   7
                  Top             =   2040
                  Width           =   6855
                  Type            =   1
                  Columns         =   2
                  BeginProperty Column0 
                     Type            =   2
                     Caption         =   "Total"
                     Width           =   3000
                  EndProperty
                  BeginProperty Column1 
                     Type            =   1
                     Caption         =   "Amount"
                     Width           =   3000
                  EndProperty
               End
            End
         End
      End
   End
End
Attribute VB_Name = "frmGrid"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private mLoaded As Boolean

Private Sub Form_Load()
    grdLines.TextMatrix(0, 0) = "Item"
    LoadLines
    mLoaded = True
End Sub

Private Sub LoadLines()
    Dim r As Integer

    For r = 1 To grdLines.Rows - 1
        grdLines.TextMatrix(r, 0) = "Line " & r
    Next
End Sub

Private Sub cmdRefresh_Click()
    If mLoaded Then LoadLines
End Sub
