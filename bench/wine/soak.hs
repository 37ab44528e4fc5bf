# 10,000 open/close cycles, each seen by the add-in, sampled every 1000.
open Base
wait 5 ticks
bench sample 0
repeat 10
repeat 1000
bench cycle "Soak"
end
bench sample {i}
end
