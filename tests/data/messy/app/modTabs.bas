Attribute VB_Name = "modTabs"
Option Explicit

Private	mTabbed As Long
Private mCount As Long

Public Function CountOrders(ByVal sCustomer As String) As Long
	Dim i As Long
	Dim sUnused As String

	For i = 1 To 10
		If Len(sCustomer) > i Then mCount = mCount + 1
	Next
	CountOrders = mCount
End Function

Public Sub ResetCount()
	mCount = 0
	If CountOrders("x") > 0 Then
		MsgBox "Count was not reset"
	End If
End Sub
