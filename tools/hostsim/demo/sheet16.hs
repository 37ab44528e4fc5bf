# The spreadsheet host from version 15, one frame per workbook window: two
# frames side by side, the strip in the frame of the active workbook.
open "Forecast.xlsx"
wait 2 ticks
open "Budget 2025.xlsx"
wait 2 ticks
open "Sales Q3.xlsx"
wait 2 ticks
arrange sidebyside "Budget 2025.xlsx" "Sales Q3.xlsx"
activate "Budget 2025.xlsx"
expect stripin "Budget 2025.xlsx"
click tab "Sales Q3.xlsx"
expect active "Sales Q3.xlsx"
expect stripin "Sales Q3.xlsx"
expect selected "Sales Q3.xlsx"
leave
wait 3 ticks
screenshot sheet16-frames
