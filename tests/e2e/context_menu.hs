# A right click opens the "tabPopup" menu: "Save All" saves documents that
# have a file and asks for a name for the one that never had one.
open Alpha
wait 2 ticks
new Beta
wait 2 ticks
modify Alpha
modify Beta
activate Beta
expect selected Beta
mark
rightclick tab Alpha
expect popup "Save All" "Visit our web site"
popup "Save All"
expect dialog Beta
dialog accept "Beta final"
expect nopopup
sheet: expect call "Workbook[?Alpha?].Save()"
slide: expect call "Presentation[?Alpha?].Save()"
expect call "event Click(*Save All*"
expect saved Alpha yes
expect tabs Alpha "Beta final"
expect saved "Beta final" yes
# The other command opens the maker's site outside the host: no host call.
mark
rightclick tab Alpha
popup "Visit our web site"
expect nopopup
wait 3 ticks
# No save of any document (the tick reads their Saved, which is no save).
expect nocall "*].Save"
expect nocall "*.Execute*"
expect tabs Alpha "Beta final"
# A click elsewhere dismisses the menu.
rightclick tab Alpha
expect popup "Save All" "Visit our web site"
popup dismiss
expect nopopup
