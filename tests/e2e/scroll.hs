# More tabs than fit: the scroll arrows appear, holding one scrolls.
repeat 16
open "Quarterly report {i}"
wait 2 ticks
end
expect tabs "Quarterly report 1" "Quarterly report 2" "Quarterly report 3" "Quarterly report 4" "Quarterly report 5" "Quarterly report 6" "Quarterly report 7" "Quarterly report 8" "Quarterly report 9" "Quarterly report 10" "Quarterly report 11" "Quarterly report 12" "Quarterly report 13" "Quarterly report 14" "Quarterly report 15" "Quarterly report 16"
expect arrows shown
expect selected "Quarterly report 16"
expect inview "Quarterly report 16" yes
expect inview "Quarterly report 1" no
screenshot overflow
hold left 5000
expect inview "Quarterly report 1" yes
expect inview "Quarterly report 16" no
hold right 5000
expect inview "Quarterly report 16" yes
# Closing enough tabs hides the arrows again (two left, as the captions may
# carry the files' extensions on a real host).
repeat 14
close "Quarterly report {i}"
end
expect arrows hidden
expect inview "Quarterly report 15" yes
