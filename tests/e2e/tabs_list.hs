# When the tabs no longer fit, a button beside the right arrow lists every
# document in strip order, the active one checked, as the user reads them
# (an ampersand included). Choosing one, with the mouse or the keyboard,
# activates it and brings its tab into view; Escape changes nothing. With
# few documents there is no button. A middle click on the arrows or on the
# button does nothing.
# run: sheet 14.0 16.0; slide 14.0 16.0
open Alpha
wait 2 ticks
open Beta
wait 2 ticks
expect arrows hidden
expect listbutton hidden
repeat 10
open "Quarterly report {i}"
wait 1 tick
end
open "R&D plan"
wait 3 ticks
expect arrows shown
expect listbutton shown
expect selected "R&D plan"
expect inview "R&D plan" yes
expect inview Alpha no
click list
expect menu Alpha Beta "Quarterly report 1" "Quarterly report 2" "Quarterly report 3" "Quarterly report 4" "Quarterly report 5" "Quarterly report 6" "Quarterly report 7" "Quarterly report 8" "Quarterly report 9" "Quarterly report 10" "R&D plan"
expect menuchecked "R&D plan"
menu Alpha
expect nomenu
expect active Alpha
expect stripin Alpha
expect front Alpha
expect selected Alpha
expect inview Alpha yes
expect inview "R&D plan" no
# By keyboard: the arrow keys down to it, Enter.
click list
expect menuchecked Alpha
menu key "Quarterly report 9"
expect nomenu
expect active "Quarterly report 9"
expect stripin "Quarterly report 9"
expect front "Quarterly report 9"
expect selected "Quarterly report 9"
expect inview "Quarterly report 9" yes
# Escape: nothing changes.
mark
click list
expect menuchecked "Quarterly report 9"
menu dismiss
expect nomenu
wait 3 ticks
expect active "Quarterly report 9"
expect nocall "*.Activate()"
# A document closed while the list is up: choosing it does nothing.
click list
expect menuchecked "Quarterly report 9"
close "Quarterly report 3"
wait 3 ticks
menu "Quarterly report 3"
expect nomenu
wait 3 ticks
expect active "Quarterly report 9"
expect selected "Quarterly report 9"
open "Quarterly report 3"
wait 3 ticks
activate "Quarterly report 9"
expect selected "Quarterly report 9"
# Middle clicks on the arrows and the button: no tab closes, no list shows.
mark
middleclick left
middleclick right
middleclick list
wait 5 ticks
expect nomenu
expect nomessage
expect nocall "*.Close()"
expect tabs Alpha Beta "Quarterly report 1" "Quarterly report 2" "Quarterly report 4" "Quarterly report 5" "Quarterly report 6" "Quarterly report 7" "Quarterly report 8" "Quarterly report 9" "Quarterly report 10" "R&D plan" "Quarterly report 3"
# Once the tabs fit again the button goes with the arrows.
repeat 10
close "Quarterly report {i}"
wait 1 tick
end
wait 3 ticks
expect tabs Alpha Beta "R&D plan"
expect arrows hidden
expect listbutton hidden
