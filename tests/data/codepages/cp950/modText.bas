Attribute VB_Name = "modText"
Option Explicit

' 教育成功與否的檢查
Public Sub ShowProblem()
    MsgBox "功能不足，請重試四次"
End Sub

Public Function 許功能() As Long
    許功能 = 1
End Function
