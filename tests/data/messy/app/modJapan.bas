Attribute VB_Name = "modJapan"
' 受注一覧表を表示するモジュール（申請書の番号順にソート）
Option Explicit

Public Const TITLE_LIST As String = "受注一覧表"

Public Sub ShowList()
    Dim sMsg As String

    ' 表示する前にソートする。能力不足なら中止
    sMsg = "一覧表"
    If Len(sMsg) = 0 Then MsgBox "表示できません", vbExclamation, TITLE_LIST
    MsgBox "申請書を表示します", vbInformation, TITLE_LIST
    frmGrid.Caption = "受注一覧表 - ソート済み"
End Sub

Public Function SortKey(ByVal sText As String) As String
    ' 保存先フォルダ
    SortKey = UCase$(sText)
End Function
