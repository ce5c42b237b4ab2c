Attribute VB_Name = "modLegacy"
Option Explicit

Public Sub OldReport()
    Debug.Print "old report"
End Sub
