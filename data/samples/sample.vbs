' Monthly order summary for the sales team.
' Runs on the server when the "Orders" page is opened.
Option Explicit

Const MAX_ROWS = 250
Const LATE_DAYS = 30

Dim oResult, sSQL, lCount, dTotal, sRegion

sRegion = web.RequestString("Region")
If sRegion = "" Then
    sRegion = tag.Properties.GetValueStr("DefaultRegion")
End If

sSQL = "SELECT OrderID, Customer, Amount, OrderDate FROM Orders " & _
       "WHERE Region = " & database.SQLString(sRegion) & _
       " ORDER BY OrderDate DESC"

On Error Resume Next
Set oResult = database.GetResult(sSQL)
If Err.Number <> 0 Then
    tag.LogError "Orders query failed: " & Err.Description
    GoTo Finish
End If
On Error GoTo 0

lCount = 0
dTotal = 0.0
web.WriteLine "<table class=""orders"">"
Do While Not oResult.EOF And lCount < MAX_ROWS
    WriteOrderRow oResult
    dTotal = dTotal + oResult.ValueDbl("Amount")
    lCount = lCount + 1
    oResult.MoveNext
Loop
web.WriteLine "</table>"

If lCount = 0 Then
    web.WriteLine "<p>No orders for " & sRegion & " this month.</p>"
Else
    web.WriteLine "<p>" & lCount & " orders, total " & FormatNumber(dTotal, 2) & "</p>"
End If
oResult.CloseResult

Finish:
tag.Result = lCount
Set oResult = Nothing

' Writes one row of the orders table; late orders are marked.
Sub WriteOrderRow(poResult)
    Dim sClass
    sClass = "normal"
    If DateDiff("d", poResult.ValueDate("OrderDate"), Now) > LATE_DAYS Then
        sClass = "late"
    End If
    web.WriteLine "<tr class=""" & sClass & """><td>" & poResult.ValueLng("OrderID") & _
                  "</td><td>" & poResult.ValueStr("Customer") & "</td><td>" & _
                  FormatNumber(poResult.ValueCur("Amount"), 2) & "</td></tr>"
End Sub
