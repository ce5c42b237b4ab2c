Attribute VB_Name = "modCommon"
Option Explicit

Public Function Nz2(ByVal v As Variant, ByVal vDefault As Variant) As Variant
    If IsNull(v) Then Nz2 = vDefault Else Nz2 = v
End Function

Public Sub CommonUnused()
    Nz2 Null, 0
End Sub
