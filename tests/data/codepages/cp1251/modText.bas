Attribute VB_Name = "modText"
Option Explicit

' проверка наличия файла
Public Sub ShowProblem()
    MsgBox "Файл не найден"
End Sub
