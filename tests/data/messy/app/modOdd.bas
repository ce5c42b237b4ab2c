Attribute VB_Name = "modOdd"
Option Explicit

Public $ As String
Dim %, &
Private Const ! As Single = 1

Public Function #()
    # = 1
End Function

Public Sub Use$()
    Dim $, !
    $ = "x"
End Sub
