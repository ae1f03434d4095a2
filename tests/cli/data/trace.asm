; A program for the golden trace: an error outside and one inside a subroutine, inputs,
; a call and return, and a halt that lasts (the run is paced at an unlimited rate).
        .org 3C0
        RTN                 ; outside a subroutine: an error, the run goes on
        KTA   Acc,K         ; --matrix 0500: K1 and K3 on R4, read while R4 is low
        EXC   Acc,(DP)
        TA                  ; skip the next unless Alpha is signalled
        LAX   Acc,0x7
        SC
        TRS   sub
        LAX   Acc,0xF
        ATR   R,Acc         ; every scan line high: no input is seen
        TG                  ; clear the second flag so that the halt lasts
        CEND
        .org 400
sub:    TR    0C0 / 4C0     ; a far jump inside a subroutine: an error, no jump
        DTW
        RTN
