# The pointer resting on a tab shows a tooltip with its document's full
# path (a document never saved: its name), and a second line while it has
# unsaved changes. The tooltip follows the pointer from tab to tab and says
# nothing over the bare strip; a host too busy to answer gets the tab's
# caption. Read off the screen, as the user sees it.
# Where every document has a frame of its own the strip moves between
# frames: the tooltip shows in each, also once the frame it was first shown
# in has closed. Disconnecting leaves no tooltip window behind.
# run: sheet 14.0 16.0; slide 14.0 16.0
open "Budget 2025"
wait 2 ticks
open "R&D notes"
wait 2 ticks
new Draft
wait 2 ticks
hover tab "Budget 2025"
expect tooltip "C:\users\Public\Documents\Budget 2025"
hover tab "R&D notes"
expect tooltip "C:\users\Public\Documents\R&D notes"
hover tab Draft
expect tooltip Draft
# Unsaved changes: a second line, gone once saved.
modify "R&D notes"
expect unsaved "R&D notes" yes
hover tab "R&D notes"
expect tooltip "C:\users\Public\Documents\R&D notes" "unsaved changes"
save "R&D notes"
expect unsaved "R&D notes" no
hover tab "Budget 2025"
expect tooltip "C:\users\Public\Documents\Budget 2025"
hover tab "R&D notes"
expect tooltip "C:\users\Public\Documents\R&D notes"
# Saved for the first time through the host: the folder it went to.
modify Draft
save Draft
expect unsaved Draft no
hover tab Draft
expect tooltip "C:\users\Public\Documents\Draft"
# A busy host (a cell being edited) cannot say: what the tab shows.
busy on
hover tab "Budget 2025"
imitation: expect tooltip "Budget 2025"
busy off
hover tab "R&D notes"
expect tooltip "C:\users\Public\Documents\R&D notes"
# The bare strip, and off the strip: nothing.
hover strip
wait 8 ticks
expect notooltip
leave
wait 8 ticks
expect notooltip
# A frame per document: shown in Draft's frame; the strip goes to another
# frame, Draft's closes, and the tooltip shows in the new one.
frames: activate "Budget 2025"
frames: expect stripin "Budget 2025"
frames: close Draft
frames: wait 3 ticks
frames: expect tabs "Budget 2025" "R&D notes"
frames: hover tab "R&D notes"
frames: expect tooltip "C:\users\Public\Documents\R&D notes"
frames: leave
# Disconnecting takes the tooltip along: as many windows after each
# connection as after the one before.
disconnect
wait 3 ticks
connect
wait 5 ticks
hover tab "Budget 2025"
expect tooltip "C:\users\Public\Documents\Budget 2025"
leave
wait 3 ticks
baseline
disconnect
wait 3 ticks
connect
wait 5 ticks
hover tab "Budget 2025"
expect tooltip "C:\users\Public\Documents\Budget 2025"
leave
wait 3 ticks
expect resources
