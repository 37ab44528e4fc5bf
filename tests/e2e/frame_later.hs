# A host started without its frame: the add-in connects all the same, and
# waits. The frame appears, first bare, then with its windows; the strip
# docks in it as soon as it has them, and documents get their tabs.
# options: --noframe
# run: sheet 14.0 16.0; slide 12.0 14.0 16.0
start
expect call "host: OnConnection(*) -> 0x00000000"
wait 5 ticks
expect strip gone
makeframe bare
wait 5 ticks
expect hwnd main
makeframe
wait 5 ticks
open Alpha
wait 2 ticks
open Beta
wait 3 ticks
expect tabs Alpha Beta
expect selected Beta
expect stripin Beta
expect strip visible
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
activate Alpha
expect stripin Alpha
expect selected Alpha
screenshot docked
