# Disconnecting the add-in hides its strip and gives the host its layout
# back; connecting again docks it anew.
# run: sheet 12.0 14.0; slide 12.0 14.0
open Alpha
open Beta
sheet: v14: expect rect XLDESK 0 116 812 650
sheet: v14: expect rect EXCEL; 0 92 992 116
sheet: v12: expect rect XLDESK 0 116 816 654
sheet: v12: expect rect EXCEL; 0 92 996 116
slide: expect rect MDIClient 0 110 952 631
start
expect tabs Alpha Beta
sheet: expect rect XLDESK 0 140 * *
slide: expect rect MDIClient 0 134 * *
disconnect
expect strip gone
# Nothing of the add-in stays in the host's command bars.
expect call "CommandBar[?tabPopup?].Delete()"
sheet: v14: expect rect XLDESK 0 116 812 650
sheet: v14: expect rect EXCEL; 0 92 992 116
sheet: v12: expect rect XLDESK 0 116 816 654
sheet: v12: expect rect EXCEL; 0 92 996 116
slide: expect rect MDIClient 0 110 952 631
wait 3 ticks
expect stale 0
connect
expect strip visible
expect tabs Alpha Beta
sheet: expect rect XLDESK 0 140 * *
slide: expect rect MDIClient 0 134 * *
