Attribute VB_Name = "modFormat"
'---------------------------------------------------------------------------
' modFormat - money, hours and text formatting shared by every screen
'---------------------------------------------------------------------------
Option Explicit

Private Const CURRENCY_SIGN As String = "€"
Private Const HOURS_FORMAT As String = "0.00"

Public Function FormatMoney(ByVal curAmount As Currency) As String
    FormatMoney = CURRENCY_SIGN & " " & Format$(curAmount, "#,##0.00")
End Function

Public Function FormatHours(ByVal dHours As Double) As String
    FormatHours = Format$(dHours, HOURS_FORMAT) & " h"
End Function

' Rounds half away from zero, unlike VB's own Round().
Public Function RoundTotal#(ByVal dValue As Double, ByVal nPlaces As Integer)
    Dim dScale As Double

    dScale = 10 ^ nPlaces
    RoundTotal = Fix(dValue * dScale + Sgn(dValue) * 0.5) / dScale
End Function

' Accepts "7.5", "7:30" and "7h30"; anything else gives 0.
Public Function ParseHours(ByVal sText As String)
    Dim sWork$
    Dim nPos%
    Dim vParts

    sWork = LCase$(Trim$(sText))
    nPos = InStr(sWork, "h")
    If nPos > 0 Then Mid$(sWork, nPos, 1) = ":"
    If InStr(sWork, ":") > 0 Then
        vParts = Split(sWork, ":")
        ParseHours = Val(vParts(0)) + Val(vParts(1)) / 60
    Else
        ParseHours = Val(sWork)
    End If
End Function

Public Function Percent(ByVal Part, Whole As Double) As Double
    If Whole = 0 Then
        Percent = 0
    Else
        Percent = RoundTotal(Part / Whole * 100, 1)
    End If
End Function

' Removes line breaks and the field separator from free text.
Public Function CleanText(ByVal sText As String) As String
    Dim sResult As String

    sResult = Replace$(sText, vbCrLf, " ")
    sResult = Replace$(sResult, vbTab, " ")
    CleanText = Trim$(Replace$(sResult, ";", ","))
End Function

' Writes an amount in words for cheques: 1234.5 gives
' "one thousand two hundred thirty-four and 50/100".
Public Function SpellAmount(ByVal curAmount As Currency) As String
    Dim lWhole As Long
    Dim nCents As Integer

    lWhole = Fix(curAmount)
    nCents = CInt((curAmount - lWhole) * 100)
    SpellAmount = NumberWords(lWhole) & " and " & Format$(nCents, "00") & "/100"
End Function

Private Function NumberWords(ByVal lValue As Long) As String
    Dim vSmall As Variant
    Dim vTens As Variant

    vSmall = Array("zero", "one", "two", "three", "four", "five", "six", "seven", _
        "eight", "nine", "ten", "eleven", "twelve", "thirteen", "fourteen", _
        "fifteen", "sixteen", "seventeen", "eighteen", "nineteen")
    vTens = Array("", "", "twenty", "thirty", "forty", "fifty", "sixty", _
        "seventy", "eighty", "ninety")

    Select Case lValue
    Case Is < 20
        NumberWords = vSmall(lValue)
    Case Is < 100
        NumberWords = vTens(lValue \ 10) & IIf(lValue Mod 10 > 0, "-" & vSmall(lValue Mod 10), "")
    Case Is < 1000
        NumberWords = vSmall(lValue \ 100) & " hundred" & _
            IIf(lValue Mod 100 > 0, " " & NumberWords(lValue Mod 100), "")
    Case Else
        NumberWords = NumberWords(lValue \ 1000) & " thousand" & _
            IIf(lValue Mod 1000 > 0, " " & NumberWords(lValue Mod 1000), "")
    End Select
End Function

Public Sub ResetFormats()
End Sub
