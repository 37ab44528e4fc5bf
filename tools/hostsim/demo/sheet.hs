# The spreadsheet host with a handful of workbooks, for ./brelm demo.
open "Budget 2025.xlsx"
wait 2 ticks
open "Sales Q3.xlsx"
wait 2 ticks
open "Inventory.xlsx"
wait 2 ticks
open "Forecast.xlsx"
wait 2 ticks
open "Team roster.xlsx"
wait 2 ticks
expect tabs "Budget 2025.xlsx" "Sales Q3.xlsx" "Inventory.xlsx" "Forecast.xlsx" "Team roster.xlsx"
click tab "Sales Q3.xlsx"
expect selected "Sales Q3.xlsx"
hover tab Inventory.xlsx
wait 3 ticks
screenshot sheet-tabs
rightclick tab Inventory.xlsx
expect popup "Save All" "Visit our web site"
wait 300
screenshot sheet-menu
popup dismiss
expect nopopup
leave
