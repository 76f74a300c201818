# A print system of the test's own: a cupsd listening only on a Unix socket
# in the test's folder, with one PDF queue "Test" on a file device as the
# default printer. Sourced; the script sets `work` and defines `fail` first,
# and kills "$cupsd" when it ends.

start_private_cups() {
    cups="$work/cups"
    mkdir -p "$cups"/{spool,tmp,cache,state,log,out}
    chmod 0755 "$work"                    # the print filters run as lp and must reach the spool
    chmod 1777 "$cups/tmp" "$cups/out"    # filters run as lp when cupsd runs as root
    cat >"$cups/cupsd.conf" <<CONF
Listen $cups/cups.sock
Browsing No
WebInterface No
LogLevel warn
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$cups/cups-files.conf" <<CONF
ServerRoot $cups
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
FileDevice Yes
CONF
    export CUPS_SERVER="$cups/cups.sock"
    cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" &
    cupsd=$!
    for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
    lpstat -r 2>/dev/null | grep -q "is running" || fail "the private cupsd did not answer"
    lpadmin -p Test -E -v "file://$cups/out/none.pdf" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd \
        -o PageSize=A4 2>/dev/null || fail "lpadmin could not add the queue"
    lpadmin -d Test || fail "lpadmin could not make the queue the default"
}

expect_page() {  # name: the next job's output file
    rm -f "$cups/out/$1.pdf"
    lpadmin -p Test -v "file://$cups/out/$1.pdf" || fail "lpadmin could not set the output file"
}

wait_page() {  # name; waits until the job has finished and its PDF is there
    for _ in $(seq 300); do
        if [ -s "$cups/out/$1.pdf" ] && [ -z "$(lpstat -o Test 2>/dev/null)" ]; then
            # The PDF queue puts a printer-language header before the PDF.
            head -c 4096 "$cups/out/$1.pdf" | grep -aq '%PDF-' || fail "the $1 print is not a PDF"
            echo "ok: the $1 was printed ($(stat -c %s "$cups/out/$1.pdf") bytes)"
            return 0
        fi
        sleep 0.1
    done
    fail "the $1 print never came out of the print system"
}
