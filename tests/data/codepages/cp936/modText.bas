Attribute VB_Name = "modText"
Option Explicit

' 检查文件是否存在（東）
Public Sub ShowProblem()
    MsgBox "无法打开文件（億）"
End Sub
