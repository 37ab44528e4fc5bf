# Hidden windows get no tab on any spreadsheet version: the personal macro
# workbook opened hidden at start-up, a workbook the user hides. A window that
# is shown gets its tab on the next tick; one hidden loses it. Nothing the
# add-in does shows a hidden window.
# run: sheet 12.0 14.0 16.0
personal
open Alpha
open Beta
start
expect active Alpha
expect tabs Alpha Beta
expect selected Alpha
imitation: expect visible PERSONAL.XLSB no
imitation: frames: expect framevisible PERSONAL.XLSB no
frames: expect stripin Alpha
# The add-in turns the formula bar back on; on these versions it does not
# make the application invisible and visible again for that, which would
# show every hidden window.
mark
formulabar off
expect call "Application.DisplayFormulaBar = True"
wait 3 ticks
imitation: expect visible PERSONAL.XLSB no
imitation: frames: expect framevisible PERSONAL.XLSB no
frames: expect nocall "Application.Visible = *"
frames: expect nocall "Application.ShowWindowsInTaskbar = *"
expect tabs Alpha Beta
# View > Hide and Unhide.
hide Beta
expect tabs Alpha
wait 3 ticks
expect tabs Alpha
show Beta
expect tabs Alpha Beta
expect selected Beta
frames: expect stripin Beta
imitation: show PERSONAL.XLSB
imitation: expect tabs Alpha Beta PERSONAL.XLSB
imitation: expect selected PERSONAL.XLSB
imitation: frames: expect stripin PERSONAL.XLSB
imitation: hide PERSONAL.XLSB
expect tabs Alpha Beta
expect active Beta
frames: expect stripin Beta
imitation: expect visible PERSONAL.XLSB no
frames: expect layouts
