# The strip docks from where the window system puts the frame's client area,
# whatever border the frame draws (none, 2, 4 or 8 pixels, from the start or
# changed in the session), maximised with its border beyond the screen's
# edges, at every DPI: on the spreadsheet host its bottom edge is the formula
# bar's and the document area starts under it; on the presentation host its
# top sits on the top dock's bottom. It covers nothing of the document area.
# run: sheet 14.0 16.0; slide 12.0 16.0
# dpi: 96 120 144 192
border 0
start
open Alpha
wait 2 ticks
open Beta
wait 3 ticks
expect stripin Beta
expect strip visible
expect selected Beta
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect edge strip left = EXCEL; left
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip left = MsoCommandBarDock:MsoDockTop left
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
screenshot border0
# Another border in the session: the host lays the frame out again and the
# strip docks anew.
border 2
wait 3 ticks
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect edge strip left = EXCEL; left
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip left = MsoCommandBarDock:MsoDockTop left
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
border 4
wait 3 ticks
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect edge strip left = EXCEL; left
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip left = MsoCommandBarDock:MsoDockTop left
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
border 8
wait 3 ticks
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect edge strip left = EXCEL; left
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
slide: expect edge strip left = MsoCommandBarDock:MsoDockTop left
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
expect clear strip MsoCommandBarDock:MsoDockTop
screenshot border8
# Maximised: the frame's border lies beyond the screen's edges.
maximize Beta
wait 3 ticks
# The screen is 1280 x 1024, all of it work area.
expect framerect Beta -8 -8 1288 1032
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect layout Beta docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
sheet: expect edge strip left = EXCEL; left
slide: expect edge strip left = MsoCommandBarDock:MsoDockTop left
expect selected Beta
screenshot maximised8
# Still maximised, with no border at all, and the other document in front.
border 0
wait 3 ticks
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
activate Alpha
wait 3 ticks
expect stripin Alpha
expect selected Alpha
sheet: expect edge strip bottom = EXCEL; bottom
sheet: expect edge XLDESK top = EXCEL; bottom
sheet: expect layout Alpha docked
slide: expect edge strip top = MsoCommandBarDock:MsoDockTop bottom
sheet: expect clear strip XLDESK
slide: expect clear strip MDIClient
expect tabs Alpha Beta
