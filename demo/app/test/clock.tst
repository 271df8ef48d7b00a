; The clock face's routines (clock.asm, state 0) on the simulator. Its
; labels need not be GLOBAL: a test sees what the state's source sees.

test ClockState shows the time on a tick
    call ClockState
    set A = COREMAC_EVT_TICK
    stub TIME_GET calls 1 gives [TIMEVAR_HOURS] = 12 34 56
    stub DISP_PUT_DIGITS calls 8
    stub DISP_PUT_TEXT calls 3
    set [UTILVAR_SCRATCH] = 3, [UTILVAR_TEMP] = 7
end

test ClockState goes on to setting the time on MODE
    call ClockState
    set A = COREMAC_EVT_KEY
    stub INPUT_GET_KEY calls 1 gives A = KEY_MODE
    stub CORE_SET_STATE calls 1
    expect A = DEMO_STATE_SETTIME
end

test ClockState beeps on LIGHT and stays
    call ClockState
    set A = COREMAC_EVT_KEY
    stub INPUT_GET_KEY gives A = KEY_LIGHT
    stub SOUND_PLAY calls 1
    stub CORE_SET_STATE calls 0
end

test ClockShowDate shows the month and the day
    call ClockShowDate
    set [UTILVAR_SCRATCH] = 12, [UTILVAR_TEMP] = 31
    stub DISP_PUT_TEXT calls 1
    stub DISP_PUT_DIGITS calls 2
    expect HL = UTILVAR_TEMP, B = 4
    expect stack <= 30
end
