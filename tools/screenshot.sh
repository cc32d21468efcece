# Run by the run command inside a virtual display: opens the calculator on
# Wine's own desktop (which draws window frames), types a temperature, presses
# Calculate and saves a picture of the window.
# Arguments: the folder of the Windows programs, the temperature, the picture's path.
set -euo pipefail
bin=$1
temperature=$2
picture=$3

# Every program of this session shares one Wine desktop, so that the driver
# finds the calculator's window.
explorer_key='HKCU\Software\Wine\Explorer'
wine reg add "$explorer_key" /v Desktop /d EggPeriod /f >/dev/null 2>&1
wine reg add "$explorer_key\\Desktops" /v EggPeriod /d 640x480 /f >/dev/null 2>&1
trap 'wine reg delete "$explorer_key" /v Desktop /f >/dev/null 2>&1; wineserver -k' EXIT

wine "$bin/EggPeriod.exe" &
report=$(timeout 60 wine "$bin/drive_calculator.exe" "$temperature" | tr -d '\r')
echo "Result: $(echo "$report" | head -n 1)" >&2
sleep 2
read -r left top width height < <(echo "$report" | tail -n 1)
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$picture"
