# Switching between workbooks that each have a frame of their own: from the
# host's activation to the strip docked in the new frame. The 50 workbooks
# are open before the add-in connects, so that the first time round every
# frame the strip goes to is new to it (room is made there); the second
# time round each has its room already.
repeat 50
open "Book{i}"
end
start
wait 10 ticks
timeout 60000
bench switch 49 first
bench switch 98 again
