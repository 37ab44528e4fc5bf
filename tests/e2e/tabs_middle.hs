# A middle click on a tab closes it as its close image does: at once when
# its document is saved; with unsaved changes the spreadsheet host asks
# itself, the presentation add-in asks with its own prompt, and each answer
# does what it does for the close image (close_image.hs). A middle click on
# the bare strip does nothing, nor one released off the tab it went down on.
# (The arrows and the list button: tabs_list.hs.)
# run: sheet 14.0 16.0; slide 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
new Gamma
wait 2 ticks
open Epsilon
wait 2 ticks
expect tabs Alpha Beta Gamma Epsilon
mark
middleclick tab Alpha
expect tabs Beta Gamma Epsilon
expect nomessage
expect call "Window[?Alpha?].Close()"
# The bare strip, and presses released elsewhere: nothing.
mark
middleclick strip
middleclick tab Beta to strip
middleclick tab Beta to tab Gamma
wait 5 ticks
expect nomessage
expect nocall "*Close*"
expect tabs Beta Gamma Epsilon
# Unsaved: the question; Cancel keeps it.
modify Gamma
expect unsaved Gamma yes
middleclick tab Gamma
sheet: imitation: expect message "Do you want to save the changes you made to 'Gamma'?"
sheet: expect message *
slide: expect message "Do you want to save the changes you made to Gamma?"
answer cancel
expect nomessage
wait 3 ticks
expect tabs Beta Gamma Epsilon
expect saved Gamma no
# Yes on a never-saved presentation asks for a name; cancelling that keeps
# it open.
middleclick tab Gamma
slide: answer yes
slide: expect dialog Gamma
slide: dialog cancel
slide: wait 3 ticks
slide: expect tabs Beta Gamma Epsilon
slide: middleclick tab Gamma
# No closes it unsaved.
mark
answer no
expect tabs Beta Epsilon
expect nocall "*?Gamma?].Save()"
wait 2 ticks
expect stale 0
# Yes saves first, under the name chosen; the middle button on the dot
# closes as well.
new Delta
wait 2 ticks
modify Delta
expect closeimage Delta dot
mark
middleclick close Delta
answer yes
slide: dialog accept Final
slide: expect call "dialog accepted ?Final?"
expect tabs Beta Epsilon
# A presentation with a file is saved without a dialog, then closed.
modify Beta
expect unsaved Beta yes
mark
middleclick tab Beta
answer yes
slide: expect call "Presentation[?Beta?].Save()"
expect nodialog
expect tabs Epsilon
wait 2 ticks
expect stale 0
