# hostsim self-test: the spreadsheet host from version 15, one XLMAIN per
# window, with its test add-in (which follows Application.Hwnd into XLMAIN
# frames and gives hidden windows no tab).
# run: sheet 16.0
personal
expect hwnd empty
expect active none
open Book1
open Book2
expect windows Book2 Book1 PERSONAL.XLSB
expect tabs Book2 Book1
expect visible PERSONAL.XLSB no
expect framevisible PERSONAL.XLSB no
expect framevisible Book1 yes
expect hwnd Book2
expect front Book2
expect stripin Book2
expect rect@Book2 XLDESK 0 116 812 650
expect rect@Book1 EXCEL; 0 92 992 116
expect layouts
# Two frames side by side; a tab click moves activation and the strip, and
# no frame moves.
arrange sidebyside Book1 Book2
expect framerect Book1 0 0 640 680
expect framerect Book2 640 0 1280 680
record frames
click tab Book1
expect active Book1
expect hwnd Book1
expect front Book1
expect stripin Book1
expect frames unchanged
# A click in a frame behind activates its window.
click screen 900 400
expect active Book2
expect front Book2
expect stripin Book2
# A frame the user resizes is laid out again by the host.
frame Book1 100 100 700 700
expect framerect Book1 100 100 700 700
expect rect@Book1 XLDESK 0 116 412 570
expect layout Book1 original
# Closing the workbook whose frame holds the strip takes the strip with it;
# the add-in makes a new one in the frame now in front.
click close Book2
expect tabs Book1
expect hwnd Book1
expect stripin Book1
# View > Hide and Unhide.
new Book3
expect stripin Book3
hide Book3
expect visible Book3 no
expect framevisible Book3 no
expect active Book1
expect tabs Book1
show Book3
expect active Book3
expect tabs Book3 Book1
# Showing the application shows every hidden window.
appvisible off
expect framevisible Book1 no
appvisible on
expect framevisible Book1 yes
expect visible PERSONAL.XLSB yes
expect tabs Book3 Book1 PERSONAL.XLSB
hide PERSONAL.XLSB
expect tabs Book3 Book1
# Protected View in front, then Hwnd failing: the add-in keeps its strip.
protectedview on
expect hwnd protected
expect front protected
expect active none
wait 3 ticks
expect stripin Book3
protectedview off
expect hwnd Book3
hwndfails on
expect hwnd fails
activate Book1
wait 3 ticks
expect stripin Book3
hwndfails off
expect stripin Book1
# The last visible window's frame stays, empty, with the strip in it.
close Book3
close Book1
expect hwnd empty
expect stripin empty
expect tabs
expect windows PERSONAL.XLSB
