# 'q', 'Q' and Escape each end the program with status 0.
source "$(dirname "$0")/lib.sh"
for k in q Q Escape; do
    start
    key "$k"
    wait_for_exit
    [ "$STATUS" = 0 ] || fail "$k ended the program with status $STATUS"
done
echo "quit ok"
