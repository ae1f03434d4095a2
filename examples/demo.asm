; Tarvolin demo: a minutes:seconds counter for the SHARP SM-5A.
;
; The counter shows MM:SS on the LCD output registers through the 7-segment coding
; instructions, wired as the debugger reads a custom ROM: the TD=0 halves of the four
; digits go to O' (plane COM0), the TD=1 halves to O (plane COM1)
; (O[5]..O[8] and O'[5]..O'[8], minutes first).
; Every second the chip wakes from halt and counts on. A key on a direct K input wakes it
; at once: K1 sets the counter back to 00:00, and every key sounds a short tone on R1.
;
; RAM: 00 seconds (units), 01 seconds (tens), 02 minutes (units), 03 minutes (tens),
;      10 keys last read, 11 and 12 tone loop counters.
; Assemble:  tarvolin-cli asm demo.asm -o demo.rom

        .org 3C0            ; bank 0 page F: the chip starts here after reset
reset:  LAX   Acc,0xE
        ATR   R,Acc         ; R1 (buzzer) low; R2..R4 high, so only the direct K inputs count
        TG                  ; forget the second that reset announces
        SKIP
        TR    sleep         ; far jump: page 0

        .org 000            ; bank 0 page 0: the chip wakes from halt here
wake:   TG                  ; skip the next unless a second has passed
        TR    tick
        KTA   Acc,K         ; then a key woke us
        TA0                 ; skip the next if no key is pressed
        TR    key
sleep:  TRS   show          ; draw the counter
        CEND                ; halt until the next second or a key

tick:   LB    DP,0x00       ; seconds, units
        TRS   inc10
        TC                  ; skip the next if there is no carry
        TR    tick1
        TR    sleep
tick1:  INCB  L             ; seconds, tens
        TRS   inc6
        TC
        TR    tick2
        TR    sleep
tick2:  INCB  L             ; minutes, units
        TRS   inc10
        TC
        TR    tick3
        TR    sleep
tick3:  INCB  L             ; minutes, tens: 59:59 turns into 00:00
        TRS   inc6
        TR    sleep

key:    LB    DP,0x10       ; keep the keys in cell 10
        EXC   Acc,(DP)
        TM2   (DP)b#0       ; skip the next if K1 is pressed
        TR    beep
        LB    DP,0x00       ; K1: back to 00:00
        RMF
        EXCI  Acc,(DP)
        RMF
        EXCI  Acc,(DP)
        RMF
        EXCI  Acc,(DP)
        RMF
        EXCI  Acc,(DP)
beep:   TR    tone          ; far jump: page 1

        .org 040            ; bank 0 page 1: a tone of 256 periods on R1
tone:   LBL   DP,0x11
        RMF
        EXC   Acc,(DP)      ; outer count := 0
outer:  LBL   DP,0x12
        RMF
        EXC   Acc,(DP)      ; inner count := 0
inner:  LAX   Acc,0xF
        ATR   R,Acc         ; R1 high
        LAX   Acc,0xE
        ATR   R,Acc         ; R1 low
        LDA   Acc,(DP)
        ADX   Acc,0x1       ; skip the next when the count passes 15
        TR    more
        LBL   DP,0x11       ; 16 periods done: count them
        LDA   Acc,(DP)
        ADX   Acc,0x1
        TR    outer2
        TR    sleep         ; far jump: page 0
outer2: EXC   Acc,(DP)
        TR    outer
more:   EXC   Acc,(DP)
        TR    inner

        .org 400            ; bank 1 page 0: the subroutines
show:   LAX   Acc,0x0
        ATBP  LCD,Acc       ; TD=0: the first halves of the digits
        LBL   DP,0x03
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        TW    O',O          ; O' keeps those halves
        COMCN               ; TD=1: the other halves, in O
        LBL   DP,0x03
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        DECB  L
        LDA   Acc,(DP)
        DTW
        RTN

; Count the digit at DP up; at its limit it turns to 0 and Carry is set, else Carry is clear.
inc10:  LDA   Acc,(DP)
        ADX   Acc,0x7       ; skip the next if the digit is 9 (Acc is then 0)
        TR    inc10ok
        EXC   Acc,(DP)
        SC
        RTN
inc10ok: ADX  Acc,10        ; d+7+10 = d+1
        EXC   Acc,(DP)
        RC
        RTN

inc6:   LDA   Acc,(DP)
        ADX   Acc,0xB       ; skip the next if the digit is 5 (Acc is then 0)
        TR    inc6ok
        EXC   Acc,(DP)
        SC
        RTN
inc6ok: ADX   Acc,0x6       ; d+11+6 = d+1; the sum passes 15, so the next is skipped
        SKIP
        EXC   Acc,(DP)
        RC
        RTN
