Attribute VB_Name = "modMain"
'---------------------------------------------------------------------------
' modMain - start-up, settings and the in-memory time entries
'
' Hourglass keeps its settings in Hourglass.ini and its time entries in
' entries.csv, both beside the executable. Entries are loaded once at
' start-up and written back when the main window closes.
'---------------------------------------------------------------------------
Option Explicit

Public Declare Function GetTickCount Lib "kernel32" () As Long
Public Declare Sub Sleep Lib "kernel32" (ByVal dwMilliseconds As Long)
Private Declare Function GetPrivateProfileString Lib "kernel32" _
    Alias "GetPrivateProfileStringA" (ByVal lpApplicationName As String, _
    ByVal lpKeyName As Any, ByVal lpDefault As String, _
    ByVal lpReturnedString As String, ByVal nSize As Long, _
    ByVal lpFileName As String) As Long
Private Declare Function WritePrivateProfileString Lib "kernel32" _
    Alias "WritePrivateProfileStringA" (ByVal lpApplicationName As String, _
    ByVal lpKeyName As Any, ByVal lpString As Any, _
    ByVal lpFileName As String) As Long
Private Declare Function MessageBeep Lib "user32" (ByVal wType As Long) As Long
Declare Function ShellExecute Lib "shell32.dll" Alias "ShellExecuteA" _
    (ByVal hwnd As Long, ByVal lpOperation As String, ByVal lpFile As String, _
    ByVal lpParameters As String, ByVal lpDirectory As String, _
    ByVal nShowCmd As Long) As Long

' One line of entries.csv
Public Type TimeEntry
    EntryDate As Date
    ClientID As Long
    Worked As Double
    Rate As Currency
    Billed As Boolean
    Notes
End Type

Public Enum BillingMode
    bmHourly = 1
    bmDaily = 2
    bmRetainer
End Enum

Public Const APP_NAME As String = "Hourglass"
Private Const INI_SECTION As String = "Settings"
Private Const MAX_CLIENTS As Long = 500

Public gUserName As String
Public gAppPath$
Public gEntries() As TimeEntry
Public gEntryCount As Long
Public gLastError As Long
Private mStarted As Boolean
Private mRetryCount As Integer
Private mLegacyIni As String

Public Sub Main()
    Dim lStart As Long
    Dim sUser As String

    lStart = GetTickCount()
    gAppPath = App.Path
    If Right$(gAppPath, 1) <> "\" Then gAppPath = gAppPath & "\"

    sUser = ReadSetting("LastUser", "")
    If Len(sUser) = 0 Then sUser = Environ$("USERNAME")
    gUserName = sUser

    LoadEntries
    mStarted = True
    frmMain.Show
    Debug.Print "Start-up took " & (GetTickCount() - lStart) & " ms"
End Sub

Public Function ReadSetting(ByVal sKey As String, ByVal sDefault As String) As String
    Dim sBuffer As String
    Dim lLength As Long

    ' mLegacyIni pointed at C:\HOURGLAS.INI before version 2; the setting
    ' now always lives beside the executable.
    sBuffer = String$(255, vbNullChar)
    lLength = GetPrivateProfileString(INI_SECTION, sKey, sDefault, sBuffer, _
        Len(sBuffer), gAppPath & "Hourglass.ini")
    ReadSetting = Left$(sBuffer, lLength)
End Function

Public Sub WriteSetting(ByVal sKey As String, ByVal sValue As String)
    Call WritePrivateProfileString(INI_SECTION, sKey, sValue, gAppPath & "Hourglass.ini")
End Sub

Public Sub LoadEntries()
    Dim nFile As Integer
    Dim sLine As String
    Dim vFields As Variant

    gEntryCount = 0
    ReDim gEntries(0 To 99)
    If Len(Dir$(gAppPath & "entries.csv")) = 0 Then Exit Sub

    On Error GoTo LoadFailed
    nFile = FreeFile
    Open gAppPath & "entries.csv" For Input As #nFile
    Do While Not EOF(nFile)
        Line Input #nFile, sLine
        vFields = Split(sLine, ";")
        If UBound(vFields) >= 5 Then
            If gEntryCount > UBound(gEntries) Then
                ReDim Preserve gEntries(0 To gEntryCount + 99)
            End If
            With gEntries(gEntryCount)
                .EntryDate = CDate(vFields(0))
                .ClientID = CLng(vFields(1))
                .Worked = CDbl(vFields(2))
                .Rate = CCur(vFields(3))
                .Billed = (vFields(4) = "1")
                .Notes = vFields(5)
            End With
            gEntryCount = gEntryCount + 1
        End If
    Loop
    Close #nFile
    Exit Sub

LoadFailed:
    Close #nFile
    ShowError "reading the time entries"
End Sub

Public Sub SaveEntries()
    Dim nFile As Integer
    Dim i As Long
    Dim nSkipped As Long

    On Error GoTo SaveFailed
    nFile = FreeFile
    Open gAppPath & "entries.csv" For Output As #nFile
    For i = 0 To gEntryCount - 1
        With gEntries(i)
            Print #nFile, Format$(.EntryDate, "yyyy-mm-dd") & ";" & .ClientID & ";" & _
                .Worked & ";" & .Rate & ";" & IIf(.Billed, "1", "0") & ";" & .Notes
        End With
    Next
    Close #nFile
    Exit Sub

SaveFailed:
    Close #nFile
    ShowError "saving the time entries"
End Sub

Public Function ClientName(ByVal ClientID As Long) As String
    ClientName = ReadSetting("Client" & ClientID, "Client " & ClientID)
End Function

Public Sub ShowError(ByVal sContext As String)
    MessageBeep vbExclamation
    MsgBox "An error occured while " & sContext & "." & vbCrLf & vbCrLf & _
        Err.Description, vbExclamation, APP_NAME
End Sub

' Moves billed entries older than dtBefore out of the working set.
' Kept for the year-end routine; not wired to a menu yet.
Public Sub ArchiveOldEntries(ByVal dtBefore As Date)
    Dim i As Long

    AppendToLog "Archiving entries before " & Format$(dtBefore, "yyyy-mm-dd")
    For i = gEntryCount - 1 To 0 Step -1
        If gEntries(i).Billed And gEntries(i).EntryDate < dtBefore Then
            PurgeEntry i
        End If
    Next
    AppendToLog "Archive finished"
End Sub

Private Sub PurgeEntry(ByVal nIndex As Long)
    Dim i As Long

    For i = nIndex To gEntryCount - 2
        gEntries(i) = gEntries(i + 1)
    Next
    gEntryCount = gEntryCount - 1
End Sub

Public Sub DumpDebugInfo()
    Dim i

    AppendToLog "User: " & gUserName
    For i = 0 To gEntryCount - 1
        AppendToLog gEntries(i).EntryDate & " " & gEntries(i).ClientID & " " & gEntries(i).Worked
    Next
End Sub

Private Sub AppendToLog(ByVal sLine As String)
    Dim nFile As Integer

    nFile = FreeFile
    Open gAppPath & "hourglass.log" For Append As #nFile
    Print #nFile, Format$(Now, "yyyy-mm-dd hh:nn:ss") & "  " & sLine
    Close #nFile
End Sub
