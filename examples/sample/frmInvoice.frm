VERSION 5.00
Begin VB.Form frmInvoice 
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Prepare Invoice"
   ClientHeight    =   4590
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   6255
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight     =   4590
   ScaleWidth      =   6255
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.TextBox txtClient 
      BackColor       =   &H8000000F&
      Height          =   285
      Left            =   1320
      Locked          =   -1  'True
      TabIndex        =   1
      Top             =   120
      Width           =   4815
   End
   Begin VB.Frame fraPeriod 
      Caption         =   "Invoice period"
      Height          =   1575
      Left            =   120
      TabIndex        =   2
      Top             =   540
      Width           =   6015
      Begin VB.Frame fraCustom 
         BorderStyle     =   0  'None
         Enabled         =   0   'False
         Height          =   735
         Left            =   2880
         TabIndex        =   6
         Top             =   360
         Width           =   3015
         Begin VB.TextBox txtTo 
            Height          =   285
            Left            =   720
            TabIndex        =   10
            Top             =   420
            Width           =   1455
         End
         Begin VB.TextBox txtFrom 
            Height          =   285
            Left            =   720
            TabIndex        =   8
            Top             =   0
            Width           =   1455
         End
         Begin VB.Label lblTo 
            Caption         =   "To:"
            Height          =   255
            Left            =   0
            TabIndex        =   9
            Top             =   450
            Width           =   615
         End
         Begin VB.Label lblFrom 
            Caption         =   "From:"
            Height          =   255
            Left            =   0
            TabIndex        =   7
            Top             =   30
            Width           =   615
         End
      End
      Begin VB.OptionButton optPeriod 
         Caption         =   "&Custom period"
         Height          =   255
         Index           =   2
         Left            =   240
         TabIndex        =   5
         Top             =   1080
         Width           =   2415
      End
      Begin VB.OptionButton optPeriod 
         Caption         =   "&Last month"
         Height          =   255
         Index           =   1
         Left            =   240
         TabIndex        =   4
         Top             =   720
         Width           =   2415
      End
      Begin VB.OptionButton optPeriod 
         Caption         =   "This &month"
         Height          =   255
         Index           =   0
         Left            =   240
         TabIndex        =   3
         Top             =   360
         Value           =   -1  'True
         Width           =   2415
      End
   End
   Begin VB.Frame fraPayment 
      Caption         =   "Payment"
      Height          =   1095
      Left            =   120
      TabIndex        =   11
      Top             =   2220
      Width           =   6015
      Begin Hourglass.ctlHourBox hbxHours 
         Height          =   315
         Left            =   2400
         TabIndex        =   14
         Top             =   600
         Width           =   1455
         _ExtentX        =   2566
         _ExtentY        =   556
         MaxHours        =   200
         UnitText        =   "hrs"
      End
      Begin VB.CheckBox chkPaid 
         Caption         =   "Payment &recieved"
         Height          =   255
         Left            =   240
         TabIndex        =   12
         Top             =   300
         Width           =   2415
      End
      Begin VB.Label lblAdjust 
         Caption         =   "Adjust billable hours:"
         Height          =   255
         Left            =   240
         TabIndex        =   13
         Top             =   630
         Width           =   2055
      End
      Begin VB.Label lblDue 
         Alignment       =   1  'Right Justify
         Height          =   255
         Left            =   3960
         TabIndex        =   15
         Top             =   630
         Width           =   1935
      End
   End
   Begin VB.TextBox txtFooter 
      Height          =   495
      Left            =   120
      MultiLine       =   -1  'True
      TabIndex        =   16
      Text            =   "Thank you for your business. Payment's due within 14 days."
      ToolTipText     =   "Printed at the foot of the invoice's last page"
      Top             =   3420
      Width           =   6015
   End
   Begin VB.CommandButton cmdCancel 
      Cancel          =   -1  'True
      Caption         =   "Cancel"
      Height          =   375
      Left            =   4920
      TabIndex        =   20
      Top             =   4080
      Width           =   1215
   End
   Begin VB.CommandButton cmdPost 
      Caption         =   "&Post"
      Height          =   375
      Left            =   3600
      TabIndex        =   19
      Top             =   4080
      Width           =   1215
   End
   Begin VB.CommandButton cmdPreview 
      Caption         =   "Pre&view"
      Default         =   -1  'True
      Height          =   375
      Left            =   2280
      TabIndex        =   18
      Top             =   4080
      Width           =   1215
   End
   Begin VB.Label lblSummary 
      Height          =   375
      Left            =   120
      TabIndex        =   17
      Top             =   4080
      Width           =   2055
      WordWrap        =   -1  'True
   End
   Begin VB.Label lblClient 
      Caption         =   "Client:"
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   150
      Width           =   1095
   End
End
Attribute VB_Name = "frmInvoice"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
'---------------------------------------------------------------------------
' frmInvoice - choose a period, preview the total and post the invoice
'---------------------------------------------------------------------------
Option Explicit

Private Const DUE_DAYS As Long = 14

Private mClientID As Long
Private mInvoice As clsInvoice
Private mPeriodFrom As Date
Private mPeriodTo As Date

Public Sub PrepareFor(ByVal ClientID As Long)
    mClientID = ClientID
    txtClient.Text = ClientName(ClientID)
    Set mInvoice = Nothing
End Sub

Private Sub Form_Load()
    optPeriod_Click 0
    lblDue.Caption = "Due " & Format$(AddWorkDays(Date, DUE_DAYS), "d mmm yyyy")
End Sub

Private Sub optPeriod_Click(Index As Integer)
    Dim dtToday As Date

    dtToday = Date
    Select Case Index
    Case 0
        mPeriodFrom = DateSerial(Year(dtToday), Month(dtToday), 1)
        mPeriodTo = dtToday
    Case 1
        mPeriodFrom = DateSerial(Year(dtToday), Month(dtToday) - 1, 1)
        mPeriodTo = DateSerial(Year(dtToday), Month(dtToday), 0)
    Case 2
        If IsDate(txtFrom.Text) Then mPeriodFrom = CDate(txtFrom.Text)
        If IsDate(txtTo.Text) Then mPeriodTo = CDate(txtTo.Text)
    End Select
    fraCustom.Enabled = (Index = 2)
    Set mInvoice = Nothing
    UpdateTotals
End Sub

Private Sub cmdPreview_Click()
    Set mInvoice = BuildInvoice()
    If mInvoice Is Nothing Then
        MsgBox "No unbilled hours were found for this period.", vbInformation, APP_NAME
        Exit Sub
    End If
    UpdateTotals
End Sub

Private Sub cmdPost_Click()
    Dim oBill As IBillable

    If mInvoice Is Nothing Then Set mInvoice = BuildInvoice()
    If mInvoice Is Nothing Then Exit Sub
    mInvoice.InvoiceNo = CLng(ReadSetting("NextInvoice", "1"))
    WriteSetting "NextInvoice", CStr(mInvoice.InvoiceNo + 1)
    Set oBill = mInvoice
    If chkPaid.Value = vbChecked Then
        MsgBox "Payment recieved for invoice " & mInvoice.InvoiceNo & ".", vbInformation, APP_NAME
    End If
    lblSummary.Caption = oBill.BillSummary()
    Unload Me
End Sub

Private Sub cmdCancel_Click()
    Unload Me
End Sub

Private Sub hbxHours_Change()
    UpdateTotals
End Sub

Private Sub UpdateTotals()
    Dim curTax As Currency
    Dim dAdjusted As Double

    ' curTax will hold the VAT share once VAT-registered clients are supported
    If mInvoice Is Nothing Then
        lblSummary.Caption = ""
        Exit Sub
    End If
    dAdjusted = hbxHours.Hours
    If dAdjusted > 0 Then mInvoice.AddLine "Adjustment", dAdjusted, 0
    lblSummary.Caption = CleanText(FormatPeriod(mPeriodFrom, mPeriodTo)) & ": " & _
        FormatMoney(mInvoice.GrandTotal)
End Sub

Private Function BuildInvoice() As clsInvoice
    Dim oInv As clsInvoice
    Dim i As Long
    Dim nLines As Long

    Set oInv = New clsInvoice
    oInv.SetClient mClientID, txtClient.Text
    For i = 0 To gEntryCount - 1
        With gEntries(i)
            If .ClientID = mClientID And Not .Billed Then
                If .EntryDate >= mPeriodFrom And .EntryDate <= mPeriodTo Then
                    oInv.AddLine CleanText(.Notes), .Worked, .Rate
                    nLines = nLines + 1
                End If
            End If
        End With
    Next
    If nLines > 0 Then Set BuildInvoice = oInv
End Function

' Invoice lines are printed one per row, so commas become semicolons here.
Private Function CleanText(ByVal sText As String) As String
    CleanText = Replace$(modFormat.CleanText(sText), ",", ";")
End Function
