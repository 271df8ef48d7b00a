; The demo's shared routines (util.asm) on the simulator:
;     cuffware test 'c:\q740\app\demo\build\demo.scr'
; The format of this file: docs/testing.md.

test StopwatchTick counts a second on
    call StopwatchTick
    set [DEMO_VAR_SECONDS] = 41, [DEMO_VAR_MINUTES] = 3
    expect [DEMO_VAR_SECONDS] = 42 3
    expect A = 42
    expect cycles <= 80
    expect stack <= 5
end

test StopwatchTick carries the sixtieth second into the minutes
    call StopwatchTick
    set [DEMO_VAR_SECONDS] = 59, [DEMO_VAR_MINUTES] = 3
    expect [DEMO_VAR_SECONDS] = 0 4
end

test StopwatchTick starts again after the last minute
    call StopwatchTick
    set [DEMO_VAR_SECONDS] = 59, [DEMO_VAR_MINUTES] = COUNTDN_MAX_MINUTES
    expect [DEMO_VAR_SECONDS] = 0 0
end

test ShowTwoDigits draws the tens and the units
    call ShowTwoDigits
    set A = 42, B = 6, HL = 0x1234
    stub DISP_PUT_DIGITS calls 2
    expect A = 42, B = 6, HL = 0x1234
    expect stack <= 15
end

test ShowBigDigit draws one digit in the large font
    call ShowBigDigit
    set A = 7, B = 2, HL = 0x1234
    stub DISP_PUT_DIGITS calls 1
    expect A = FONT_LARGE, B = 2, HL = 0x1234
end

test ShowText writes a line and shows it
    call ShowText
    set A = DISP_LINE_TOP, HL = DigitTable
    stub DISP_PUT_TEXT calls 1
    stub DISP_REFRESH calls 1
    expect HL = DigitTable
end

test ResetStopwatch sets the four counters to zero
    call ResetStopwatch
    set [DEMO_VAR_TICKS] = 1 2 3 4, [DEMO_VAR_FIELD] = 9
    expect [DEMO_VAR_TICKS] = 0 0 0 0 9
end

test PlayBeep plays one beep
    call PlayBeep
    stub SOUND_PLAY calls 1
    expect A = SOUND_BEEP
end

test PlayMelody plays every word up to the end mark
    call PlayMelody
    stub SOUND_PLAY calls 4
    expect BA = 0
end
