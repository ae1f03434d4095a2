; Reads K under each scan line alone and stores it: RAM[00] under R4, [01] under R3,
; [02] under R2, [03] with every line high (only the direct inputs); then RAM[04] = 0 when
; Alpha is signalled (1 otherwise) and RAM[05] the same for Beta; then a halt.
        .org 3C0
        LB    DP,0x00
        LAX   Acc,0x7       ; only R4 low
        ATR   R,Acc
        KTA   Acc,K
        EXCI  Acc,(DP)
        LAX   Acc,0xB       ; only R3 low
        ATR   R,Acc
        KTA   Acc,K
        EXCI  Acc,(DP)
        LAX   Acc,0xD       ; only R2 low
        ATR   R,Acc
        KTA   Acc,K
        EXCI  Acc,(DP)
        LAX   Acc,0xF       ; no scan line low
        ATR   R,Acc
        KTA   Acc,K
        EXCI  Acc,(DP)
        LAX   Acc,0x1
        TA                  ; skip the next unless Alpha is signalled
        LAX   Acc,0x0
        EXCI  Acc,(DP)
        LAX   Acc,0x1
        TB                  ; skip the next unless Beta is signalled
        LAX   Acc,0x0
        EXCI  Acc,(DP)
        CEND
