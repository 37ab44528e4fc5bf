# Documents already open when the host starts: the add-in docks its strip in
# the host's own windows and shows one tab per window, the active one selected.
open Doc1
open Doc2
open Doc3
start
# The spreadsheet add-in activates the first workbook at start-up, and that
# host lists its windows most recent first.
sheet: expect tabs Doc1 Doc3 Doc2
sheet: expect selected Doc1
slide: expect tabs Doc1 Doc2 Doc3
slide: expect selected Doc3
expect strip visible
expect arrows hidden
expect call "CommandBars.Add(?tabPopup?, 5, -, True)"
sheet: noframes: expect call "Application.ShowWindowsInTaskbar = False"
v12: expect call "Application.ShowWindowsInTaskbar = False"
frames: expect nocall "Application.ShowWindowsInTaskbar = *"
# Docked where the host's layout made room: the spreadsheet host's document
# area moves down by the strip's height (24 pixels at 96 dpi) and the strip
# fills the lower part of the enlarged formula bar, right above it.
sheet: expect rect XLDESK 0 140 * *
sheet: expect rect EXCEL; 0 92 * 140
sheet: expect rect strip 0 116 994 140
slide: expect rect strip 0 110 994 136
slide: expect rect MDIClient 0 134 * *
slide: expect rect MsoCommandBarDock:MsoDockRight * 134 * *
screenshot startup
