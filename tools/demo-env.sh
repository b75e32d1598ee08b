# Shared by tools/run-demo.sh and tools/run-phone-preview.sh (sourced, not
# run): the local demo host on a free port and throw-away settings whose one
# profile points at it.

# start_demo_host BUILD_DIR LOG: starts the demo host; sets demo_host_pid and
# demo_port, or says why not and returns 1.
start_demo_host() {
    local build_dir=$1 log=$2
    "$build_dir/tools/demohost/vantorel-demohost" --port 0 >"$log" 2>&1 &
    demo_host_pid=$!
    demo_port=""
    local attempt
    for attempt in $(seq 1 100); do
        demo_port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$log" | head -n 1)
        [ -n "$demo_port" ] && return 0
        sleep 0.1
    done
    echo "The demo host did not start:" >&2
    cat "$log" >&2
    return 1
}

# write_demo_settings CONFIG_HOME PORT: the settings file under
# CONFIG_HOME (for XDG_CONFIG_HOME), one profile on 127.0.0.1:PORT that
# connects at start.
write_demo_settings() {
    local config="$1/orvik/harbour-vantorel"
    mkdir -p "$config"
    cat >"$config/harbour-vantorel.conf" <<CONF
[settings]
sandboxSettingsMigrated=true

[profiles]
order=Default
current=Default
Default\\name=Demo host
Default\\connection\\host=127.0.0.1
Default\\connection\\port=$2
Default\\connection\\tls=false
Default\\automation\\autoConnect=true
Default\\login\\userName=DEMO
CONF
}
