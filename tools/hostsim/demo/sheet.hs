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
# Unsaved changes: a dot in place of the close image.
modify "Sales Q3.xlsx"
modify "Forecast.xlsx"
expect unsaved "Sales Q3.xlsx" yes
expect unsaved "Forecast.xlsx" yes
wait 3 ticks
screenshot tabs-unsaved
# The pointer on a tab: its full path, and whether it has unsaved changes.
hover tab "Forecast.xlsx"
expect tooltip "C:\users\Public\Documents\Forecast.xlsx" "unsaved changes"
wait 200
screenshot tabs-tooltip
leave
# More workbooks than the strip holds: the list of every document.
open "Marketing plan.xlsx"
wait 2 ticks
open "Customer survey.xlsx"
wait 2 ticks
open "Price list 2026.xlsx"
wait 2 ticks
open "Travel expenses.xlsx"
wait 2 ticks
expect listbutton shown
click tab "Travel expenses.xlsx"
click list
expect menuchecked "Travel expenses.xlsx"
wait 300
screenshot tabs-list
menu dismiss
expect nomenu
leave
