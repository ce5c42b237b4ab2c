Attribute VB_Name = "modClean"
Option Explicit

Private Const STEP_SIZE As Long = 1

Public Function AddOne(ByVal nValue As Long) As Long
    AddOne = nValue + STEP_SIZE
End Function

Public Function FormatCount(ByVal nValue As Long) As String
    Dim sNumber As String

    sNumber = CStr(nValue)
    FormatCount = sNumber & " " & Plural(nValue)
End Function

Private Function Plural(ByVal nValue As Long) As String
    If nValue = 1 Then
        Plural = "click"
    Else
        Plural = "clicks"
    End If
End Function
