; A small program for the golden listings: every operand form once.
        .org 3C0
reset:  LAX   Acc,0x5       ; load 5
        ATR   R,Acc
        LB    DP,0x19
        EXC   Acc,(DP) ; xor DPH 01
        EXCI  Acc,(DP)
        LDA   Acc,(DP) ; xor DPH 11
        ADX   Acc,10
        ADX   Acc,0x3
        RM    (DP)b#2
        TM2   (DP)b#1
        KTA   Acc,K
        LBL   DP,0x4C
        DTA   Acc,T
        SSR   0x2           ; a page preset on its own
        RC
        TR    reset
        TR    far
        TRS   sub
        TRS   0C5 / 4C5
        DTW
        CEND
        .byte 0x5E, 0x33
        TW    O',O
        .org 0C0
far:    RC
        TR    reset
        .org 400
sub:    TRSA  loop          ; a branch inside the subroutine page
        RTNS
        .org 418
loop:   RTN
