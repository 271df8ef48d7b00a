;**FILE SPLITS.ASM
;
; Demo Cuffware, overflowing variant: a long history of split times for
; the stopwatch of state 2. With it the common code and state 2 together
; are larger than the 900-byte code overlay: the build succeeds, and the
; memory usage analysis reports the overflow.
;

SPLIT_HISTORY_COUNT    equ  300
SplitHistory:
        DS      SPLIT_HISTORY_COUNT * 2 ; minutes and seconds of each split

;**END FILE SPLITS.ASM
