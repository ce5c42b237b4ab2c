Attribute VB_Name = "modBroken"
Option Explicit

Public Sub NoParens
    MsgBox "Header without parentheses
    Dim sText As String
    sText = "unbalanced "quote" here
End Sub

Public Function AlsoNoParens As Long
    AlsoNoParens = 1
End Function

Public Sub Unfinished()
    Dim n As Long
    n = Len("abc)
    MsgBox "This routine never ends