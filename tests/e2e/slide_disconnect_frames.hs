# The presentation host with a frame per document: the add-in hides the
# frame it leaves for another. Disconnecting shows the hidden frames again
# behind the active document's frame, which keeps the foreground and the
# top; connecting again docks the strip in that frame (version 14 has no
# Application.HWND: the frame in front is the one taken).
# run: slide 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
open Gamma
wait 2 ticks
activate Alpha
expect stripin Alpha
expect framevisible Gamma no
expect front Alpha
disconnect
expect strip gone
expect framevisible Gamma yes
expect framevisible Beta yes
expect front Alpha
expect active Alpha
wait 3 ticks
expect front Alpha
connect
expect stripin Alpha
expect selected Alpha
expect front Alpha
expect tabs Alpha Beta Gamma
