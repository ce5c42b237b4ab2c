Attribute VB_Name = "modDates"
'---------------------------------------------------------------------------
' modDates - working-day arithmetic shared by Hourglass and the Payroll
' export tool. Keep this module free of references to either project.
'---------------------------------------------------------------------------
Option Explicit

' Monday of the week that contains dtAny.
Public Function WeekStart(ByVal dtAny As Date) As Date
    WeekStart = DateAdd("d", 1 - Weekday(dtAny, vbMonday), dtAny)
End Function

Public Function IsWorkDay(ByVal dtAny As Date) As Boolean
    IsWorkDay = (Weekday(dtAny, vbMonday) < 6)
End Function

' dtStart plus nDays working days (Saturdays and Sundays are skipped).
Public Function AddWorkDays(ByVal dtStart As Date, ByVal nDays As Long) As Date
    Dim dtNext As Date

    If nDays <= 0 Then
        AddWorkDays = dtStart
        Exit Function
    End If
    dtNext = DateAdd("d", 1, dtStart)
    Do While Not IsWorkDay(dtNext)
        dtNext = DateAdd("d", 1, dtNext)
    Loop
    AddWorkDays = AddWorkDays(dtNext, nDays - 1)
End Function

Public Function FormatPeriod(ByVal dtFrom As Date, ByVal dtTo As Date) As String
    If Year(dtFrom) = Year(dtTo) Then
        FormatPeriod = Format$(dtFrom, "d mmm") & " - " & Format$(dtTo, "d mmm yyyy")
    Else
        FormatPeriod = Format$(dtFrom, "d mmm yyyy") & " - " & Format$(dtTo, "d mmm yyyy")
    End If
End Function

Public Function QuarterOf(ByVal dtAny As Date) As Integer
    QuarterOf = (Month(dtAny) - 1) \ 3 + 1
End Function
