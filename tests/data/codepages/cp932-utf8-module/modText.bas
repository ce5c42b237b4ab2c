Attribute VB_Name = "modText"
Option Explicit

' ポート番号を予約する
Public Sub ShowProblem()
    MsgBox "表示できません｜ポート"
End Sub
