# The host is busy when the add-in connects (a cell being edited rejects
# every call): the connection succeeds all the same, and once the host
# answers again the strip docks in the active window's frame with a tab for
# every document.
# run: sheet 14.0 16.0; slide 12.0 14.0 16.0
open Alpha
open Beta
busy on
start
expect call "host: OnConnection(*) -> 0x00000000"
expect call "* -> busy"
wait 10 ticks
busy off
wait 5 ticks
# The spreadsheet host lists its windows most recent first.
sheet: expect tabs Beta Alpha
slide: expect tabs Alpha Beta
expect stripin Beta
expect selected Beta
expect strip visible
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect clear strip XLDESK
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect clear strip MDIClient
activate Beta
activate Alpha
expect stripin Alpha
expect selected Alpha
