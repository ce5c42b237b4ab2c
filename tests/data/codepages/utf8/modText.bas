Attribute VB_Name = "modText"
Option Explicit

' prüft die Datei
Public Sub ShowProblem()
    MsgBox "Datei nicht gefunden"
End Sub
