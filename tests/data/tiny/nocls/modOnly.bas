Attribute VB_Name = "modOnly"
Option Explicit

Public Function Greeting(ByVal sName As String) As String
    Greeting = "Hello, " & sName
End Function

Public Sub Farewell()
    MsgBox "Goodbye"
End Sub
