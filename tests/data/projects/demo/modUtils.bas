Attribute VB_Name = "modUtils"
Option Explicit

Public Function Twice(ByVal n As Long) As Long
    Twice = n * 2
End Function
