Attribute VB_Name = "modNew"
Option Explicit

' UTF-8 で保存
Public Sub ShowProblem()
    MsgBox "新しいモジュール"
End Sub
