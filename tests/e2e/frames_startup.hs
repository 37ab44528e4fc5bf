# One frame per workbook window (spreadsheet host 15 and later): at start-up
# the add-in activates the first visible workbook, docks its strip in that
# window's frame and gives every visible window a tab. The personal macro
# workbook, opened hidden before the others, gets none and stays hidden.
# run: sheet 16.0
personal
open Doc1
open Doc2
open Doc3
start
expect active Doc1
expect hwnd Doc1
expect tabs Doc1 Doc3 Doc2
expect selected Doc1
expect stripin Doc1
expect strip visible
expect visible PERSONAL.XLSB no
expect framevisible PERSONAL.XLSB no
# Room made in that frame exactly as in the one main window of older hosts.
expect rect@Doc1 strip 0 116 986 140
expect rect@Doc1 EXCEL; 0 92 992 140
expect rect@Doc1 XLDESK 0 140 812 *
expect layout Doc1 docked
expect layouts
expect call "CommandBars.Add(?tabPopup?, 5, -, True)"
# Deprecated on these versions, and no Visible toggle: it would show every
# hidden window.
expect nocall "Application.ShowWindowsInTaskbar = *"
expect nocall "Application.Visible = *"
expect call "*[?Doc1?].Activate()"
expect nocall "*PERSONAL.XLSB*Activate*"
screenshot startup16
