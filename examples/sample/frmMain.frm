VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Object = "{F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0"; "comdlg32.ocx"
Begin VB.Form frmMain 
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Hourglass Timesheets"
   ClientHeight    =   6300
   ClientLeft      =   150
   ClientTop       =   840
   ClientWidth     =   9600
   BeginProperty Font 
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0   'False
      Italic          =   0   'False
      Strikethrough   =   0   'False
   EndProperty
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   ScaleHeight     =   6300
   ScaleWidth      =   9600
   StartUpPosition =   2  'CenterScreen
   Tag             =   "main"
   Begin MSComDlg.CommonDialog dlgExport 
      Left            =   8880
      Top             =   5640
      _ExtentX        =   847
      _ExtentY        =   847
      _Version        =   393216
      DefaultExt      =   "csv"
      DialogTitle     =   "Export Entries"
      Filter          =   "Comma separated values (*.csv)|*.csv"
   End
   Begin VB.ComboBox cboPeriod 
      Height          =   315
      ItemData        =   "frmMain.frx":0000
      Left            =   120
      List            =   "frmMain.frx":0012
      TabIndex        =   1
      Text            =   "This Week"
      Top             =   5040
      Width           =   2775
   End
   Begin VB.ListBox lstRates 
      Height          =   840
      ItemData        =   "frmMain.frx":0042
      Left            =   6360
      List            =   "frmMain.frx":0058
      TabIndex        =   4
      ToolTipText     =   "Double-click a rate to apply it to the selected entries"
      Top             =   4200
      Width           =   3135
   End
   Begin VB.Frame fraActions 
      Caption         =   "Today's Actions"
      Height          =   855
      Left            =   3000
      TabIndex        =   3
      Top             =   4080
      Width           =   3255
      Begin VB.CommandButton cmdClose 
         Caption         =   "&Close"
         Height          =   375
         Left            =   2160
         TabIndex        =   7
         Top             =   300
         Width           =   975
      End
      Begin VB.CommandButton cmdInvoice 
         Caption         =   "&Invoice..."
         Height          =   375
         Left            =   1140
         TabIndex        =   6
         Top             =   300
         Width           =   975
      End
      Begin VB.CommandButton cmdNew 
         Caption         =   "&New Entry"
         Default         =   -1  'True
         Height          =   375
         Left            =   120
         TabIndex        =   5
         Top             =   300
         Width           =   975
      End
   End
   Begin MSComctlLib.ListView lvwEntries 
      Height          =   3855
      Left            =   3000
      TabIndex        =   2
      Top             =   120
      Width           =   6495
      _ExtentX        =   11456
      _ExtentY        =   6800
      View            =   3
      LabelEdit       =   1
      Sorted          =   -1  'True
      LabelWrap       =   -1  'True
      HideSelection   =   0   'False
      Checkboxes      =   -1  'True
      FullRowSelect   =   -1  'True
      _Version        =   393217
      ForeColor       =   -2147483640
      BackColor       =   -2147483643
      BorderStyle     =   1
      Appearance      =   1
      BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851} 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      NumItems        =   3
      BeginProperty ColumnHeader(1) {BDD1F052-858B-11D1-B16A-00C0F0283628} 
         Text            =   "Date"
         Object.Width           =   2117
      EndProperty
      BeginProperty ColumnHeader(2) {BDD1F052-858B-11D1-B16A-00C0F0283628} 
         Alignment       =   1
         SubItemIndex    =   1
         Text            =   "Hours"
         Object.Width           =   1411
      EndProperty
      BeginProperty ColumnHeader(3) {BDD1F052-858B-11D1-B16A-00C0F0283628} 
         SubItemIndex    =   2
         Text            =   "Descripton"
         Object.Width           =   6350
      EndProperty
   End
   Begin MSComctlLib.TreeView tvwClients 
      Height          =   4815
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   2775
      _ExtentX        =   4895
      _ExtentY        =   8493
      _Version        =   393217
      HideSelection   =   0   'False
      Indentation     =   353
      LabelEdit       =   1
      LineStyle       =   1
      Style           =   7
      Appearance      =   1
   End
   Begin VB.Label lblTotal 
      Alignment       =   1  'Right Justify
      Caption         =   "Totals (€)"
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   9.75
         Charset         =   0
         Weight          =   700
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   255
      Left            =   6360
      TabIndex        =   8
      Top             =   5160
      Width           =   3135
   End
   Begin VB.Label lblStatus 
      BorderStyle     =   1  'Fixed Single
      Caption         =   "Ready"
      Height          =   255
      Left            =   0
      TabIndex        =   9
      Top             =   6045
      Width           =   9600
   End
   Begin VB.Menu mnuFile 
      Caption         =   "&File"
      Begin VB.Menu mnuFileExport 
         Caption         =   "&Export to CSV..."
         Visible         =   0   'False
      End
      Begin VB.Menu mnuFileSep 
         Caption         =   "-"
      End
      Begin VB.Menu mnuFileExit 
         Caption         =   "E&xit"
      End
   End
   Begin VB.Menu mnuView 
      Caption         =   "&View"
      Begin VB.Menu mnuViewRefresh 
         Caption         =   "&Refresh"
         Shortcut        =   {F5}
      End
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
'---------------------------------------------------------------------------
' frmMain - clients on the left, their time entries on the right
'---------------------------------------------------------------------------
Option Explicit

Private Declare Function SendMessage Lib "user32" Alias "SendMessageA" _
    (ByVal hwnd As Long, ByVal wMsg As Long, ByVal wParam As Long, _
    lParam As Any) As Long

Private Const LVM_FIRST As Long = &H1000
Private Const LVM_SETCOLUMNWIDTH As Long = LVM_FIRST + 30
Private Const LVSCW_AUTOSIZE_USEHEADER As Long = -2

Private Type ColumnSpec
    Title As String
    Width As Single
End Type

Private WithEvents mInvoice As clsInvoice
Attribute mInvoice.VB_VarHelpID = -1
Private mColumns(2) As ColumnSpec
Private mDirty As Boolean
Private mSelectedClient As Long
Private mFilterFrom As Date
Private mOldFilter As String
Public LastExportPath As String

Private Sub Form_Load()
    Dim nCol As Integer

    Me.Caption = APP_NAME & " - " & gUserName
    mColumns(0).Title = "Date"
    mColumns(0).Width = 1200
    mColumns(1).Title = "Hours"
    mColumns(1).Width = 800
    mColumns(2).Title = "Description"
    mColumns(2).Width = 3600
    For nCol = 0 To 2
        lvwEntries.ColumnHeaders(nCol + 1).Text = mColumns(nCol).Title
    Next

    cboPeriod.ListIndex = 0
    Call LoadClients
    ShowStatus "Ready"
End Sub

Private Sub Form_Resize()
    If Me.WindowState = vbMinimized Then Exit Sub
    SendMessage lvwEntries.hwnd, LVM_SETCOLUMNWIDTH, 2, ByVal LVSCW_AUTOSIZE_USEHEADER
End Sub

Private Sub Form_Unload(Cancel As Integer)
    If mDirty Then
        If MsgBox("Save the changes to your timesheet?", vbQuestion + vbYesNo, APP_NAME) = vbYes Then
            SaveEntries
        End If
    End If
    WriteSetting "LastUser", gUserName
    Set mInvoice = Nothing
End Sub

Private Sub LoadClients()
    Dim nod As MSComctlLib.Node
    Dim i As Long
    Dim lLastID As Long

    tvwClients.Nodes.Clear
    Set nod = tvwClients.Nodes.Add(, , "root", "All Clients")
    nod.Expanded = True
    For i = 0 To gEntryCount - 1
        If gEntries(i).ClientID <> lLastID Then
            lLastID = gEntries(i).ClientID
            On Error Resume Next
            Set nod = tvwClients.Nodes.Add("root", tvwChild, "c" & lLastID, _
                ClientName(lLastID))
            On Error GoTo 0
        End If
    Next
    If tvwClients.Nodes.Count = 1 Then
        Set nod = tvwClients.Nodes.Add("root", tvwChild, "c0", "Café Lumière (sample)")
    End If
    Set nod = tvwClients.Nodes.Add("root", tvwChild, "archive", "Seperate Archive")
End Sub

Private Sub LoadEntriesFor(ByVal ClientID As Long, ByVal bShowBilled As Boolean)
    Dim itm As MSComctlLib.ListItem
    Dim i As Long
    Dim dTotal As Double
    Dim dUnbilled As Double

    lvwEntries.ListItems.Clear
    For i = 0 To gEntryCount - 1
        If gEntries(i).ClientID = ClientID And gEntries(i).EntryDate >= mFilterFrom Then
            Set itm = lvwEntries.ListItems.Add(, , Format$(gEntries(i).EntryDate, "dd/mm/yyyy"))
            itm.SubItems(1) = FormatHours(gEntries(i).Worked)
            itm.SubItems(2) = CleanText(gEntries(i).Notes)
            itm.Checked = Not gEntries(i).Billed
            itm.SmallIcon = "entry"
            dTotal = dTotal + gEntries(i).Worked
            If Not gEntries(i).Billed Then dUnbilled = dUnbilled + gEntries(i).Worked
        End If
    Next
    If lvwEntries.ListItems.Count = 0 Then
        Set itm = lvwEntries.ListItems.Add(, , "No hours recorded - check the billing adress")
    End If
    ShowStatus FormatHours(dTotal) & " recorded, " & Percent(dUnbilled, dTotal) & "% not invoiced yet"
End Sub

Private Sub ShowStatus(ByVal sText As String)
    lblStatus.Caption = sText
    lblStatus.Refresh
End Sub

' Rates live in Hourglass.ini as Rate1, Rate2, ...; the list's ItemData
' holds the number.
Private Function SelectedRate() As Currency
    If lstRates.ListIndex < 0 Then Exit Function
    SelectedRate = CCur(Val(ReadSetting("Rate" & lstRates.ItemData(lstRates.ListIndex), "0")))
End Function

Private Sub cmdNew_Click()
    Dim sHours As String

    If mSelectedClient = 0 Then
        MsgBox "Please choose a client first.", vbInformation, APP_NAME
        Exit Sub
    End If
    sHours = InputBox("Hours worked today:", APP_NAME, "8")
    If Len(sHours) = 0 Then Exit Sub
    If gEntryCount > UBound(gEntries) Then ReDim Preserve gEntries(0 To gEntryCount + 99)
    With gEntries(gEntryCount)
        .EntryDate = Date
        .ClientID = mSelectedClient
        .Worked = ParseHours(sHours)
        .Rate = SelectedRate()
    End With
    gEntryCount = gEntryCount + 1
    mDirty = True
    LoadEntriesFor mSelectedClient, False
End Sub

Private Sub cmdInvoice_Click()
    Dim itm As MSComctlLib.ListItem

    Set mInvoice = New clsInvoice
    For Each itm In lvwEntries.ListItems
        If itm.Checked Then
            mInvoice.AddLine itm.SubItems(2), Val(itm.SubItems(1)), _
                SelectedRate()
        End If
    Next
    mInvoice.GrandTotal
    frmInvoice.PrepareFor mSelectedClient
    frmInvoice.Show vbModal, Me
End Sub

Private Sub cmdClose_Click()
    Unload Me
End Sub

Private Sub mnuFileExit_Click()
    Unload Me
End Sub

Private Sub mnuViewRefresh_Click()
    LoadClients
    If mSelectedClient <> 0 Then LoadEntriesFor mSelectedClient, True
End Sub

Private Sub tvwClients_NodeClick(ByVal Node As MSComctlLib.Node)
    If Node.Key = "root" Then
        mSelectedClient = 0
    Else
        mSelectedClient = Val(Mid$(Node.Key, 2))
    End If
    LoadEntriesFor mSelectedClient, True
End Sub

Private Sub cboPeriod_Click()
    Select Case cboPeriod.ListIndex
    Case 0
        mFilterFrom = WeekStart(Date)
    Case 1
        mFilterFrom = WeekStart(Date) - 7
    Case 2
        mFilterFrom = DateSerial(Year(Date), Month(Date), 1)
    Case Else
        mFilterFrom = DateSerial(Year(Date), Month(Date) - 1, 1)
    End Select
    If mSelectedClient <> 0 Then
        LoadEntriesFor mSelectedClient, True
    End If
End Sub

Private Sub lvwEntries_ColumnClick(ByVal ColumnHeader As MSComctlLib.ColumnHeader)
    lvwEntries.SortKey = ColumnHeader.Index - 1
    lvwEntries.Sorted = True
End Sub

Private Sub lstRates_DblClick()
    Dim itm As MSComctlLib.ListItem

    For Each itm In lvwEntries.ListItems
        If itm.Selected Then itm.Tag = CStr(SelectedRate())
    Next
    mDirty = True
End Sub

Private Sub mInvoice_Totalled(ByVal curAmount As Currency)
    lblTotal.Caption = "Invoice total: " & FormatMoney(curAmount)
End Sub

' The export menu is hidden until the accountant confirms the column order.
Private Sub ExportCsv()
    Dim nFile As Integer
    Dim itm As MSComctlLib.ListItem

    dlgExport.FileName = LastExportPath
    dlgExport.ShowSave
    If Len(dlgExport.FileName) = 0 Then Exit Sub
    LastExportPath = dlgExport.FileName
    nFile = FreeFile
    Open LastExportPath For Output As #nFile
    For Each itm In lvwEntries.ListItems
        Print #nFile, itm.Text & ";" & itm.SubItems(1) & ";" & itm.SubItems(2)
    Next
    Close #nFile
    ShellExecute Me.hwnd, "open", LastExportPath, vbNullString, vbNullString, 1
End Sub
