Attribute VB_Name = "modText"
Option Explicit

' 파일이 있는지 확인 똠
Public Sub ShowProblem()
    MsgBox "파일을 열 수 없습니다 뷁"
End Sub
