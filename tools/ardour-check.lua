-- Runs inside ardour7-lua for tools/ardour-check.sh.
--
--   ardour7-lua ardour-check.lua create FORMAT SESSION_DIR
--       records a dry tone from the Dummy backend onto a stereo track, then
--       inserts Quilvern in FORMAT (vst, vst3 or lv2), checks the presets
--       Ardour lists, automates parameters through Ardour's controls and
--       saves. A second snapshot, "dry", holds the same session with
--       Quilvern deactivated: its export shows that the comparison lines up.
--   ardour7-lua ardour-check.lua verify FORMAT SESSION_DIR WET_WAV DRY_WAV
--       reloads the session, checks the parameters came back (VST 2.4 and
--       VST3: Ardour 7.3 never reads an LV2 plug-in's values back, so
--       there the restored sound of the export is the check), and compares
--       both exports with the recorded (dry) take.
--
-- Every finding is one line starting "CHECK PASS" or "CHECK FAIL"; the shell
-- script counts them. Anything that stops the script early prints
-- "CHECK FAIL" too, so a half-finished run can never look clean.

local SESSION_NAME = "quilvern-check"
local PLUGIN_NAME = "Quilvern"
local LV2_URI = "urn:brannock-group-audio:quilvern"
local DRY_SNAPSHOT = "dry"
local RECORD_SECONDS = 2

-- How Ardour finds and names the plug-in in each format. LV2 parameters
-- are Ardour "properties", controls named after the parameter's URI.
local FORMATS = {
	vst = { type = ARDOUR.PluginType.LXVST, find = PLUGIN_NAME, id = "1364605259", presets = false },
	vst3 = { type = ARDOUR.PluginType.VST3, find = PLUGIN_NAME, id = "ABCDEF019182FAEB42726E6B5156394B", presets = true },
	lv2 = { type = ARDOUR.PluginType.LV2, find = LV2_URI, id = LV2_URI, presets = true, properties = true },
}

-- Normalised values set through Ardour's automation controls; all differ
-- from the defaults and from the first preset so a lost state shows. The
-- output volume (-24 dB) makes the restored state audible in the export.
-- A sync change also makes the plug-in tell the host that its display
-- changed (the note rate's text gains a mark), which --trace shows.
local SETTINGS = {
	{ name = "Feedback", id = "feedback", value = 0.8 },
	{ name = "FX", id = "fx", value = 0.75 },
	{ name = "Stereo Phase", id = "stereo_phase", value = 0.25 },
	{ name = "Output Volume", id = "output_volume", value = 0.125 },
	{ name = "LFO 1 Sync", id = "lfo_1_sync", value = 1.0 },
}
-- Export level with that volume against the dry take: gain 0.0625 is
-- -24 dB; the phaser's mix moves it by a few dB at most, while the first
-- factory preset (what a lost state would play) is about -6 dB.
local QUIET_EXPORT_DB = -15

-- The first and last factory presets, and a value of the last.
local FIRST_PRESET = "Classic Swirl"
local LAST_PRESET = "Bar And Eighths"
local LAST_PRESET_LFO2_NOTE_RATE = 0.8

local failures = 0

local function check (ok, what, detail)
	print (string.format ("CHECK %s %s%s", ok and "PASS" or "FAIL", what, detail and (": " .. detail) or ""))
	if not ok then failures = failures + 1 end
	return ok
end

local function abort (what)
	check (false, what)
	if Session then close_session () end
	os.exit (1)
end

local function start_engine ()
	local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
	if not backend then abort ("select Ardour's Dummy backend") end
	-- The Dummy backend's capture ports play this signal: the dry input.
	backend:set_device_name ("Sine Wave")
	if AudioEngine:start (false) ~= 0 then abort ("start the Dummy backend") end
end

local function the_track ()
	for route in Session:get_tracks ():iter () do
		return route:to_track ()
	end
	return nil
end

local function find_quilvern (route, format)
	local i = 0
	while true do
		local proc = route:nth_plugin (i)
		if proc:isnil () then return nil end
		local plugin = proc:to_insert ():plugin (0)
		if plugin:name () == PLUGIN_NAME and tostring (plugin:unique_id ()) == format.id then
			return proc, plugin
		end
		i = i + 1
	end
end

-- Ardour's automation control of a parameter: for VST 2.4 and VST3 named
-- like the parameter, for LV2 "property-" and the parameter's URI.
local function find_control (proc, format, setting)
	local name = format.properties and ("property-" .. LV2_URI .. ":" .. setting.id) or setting.name
	local automatable = proc:to_automatable ()
	for parameter in automatable:all_automatable_params ():iter () do
		local control = automatable:automation_control (parameter, false)
		if not control:isnil () and control:name () == name then return control end
	end
	return nil
end

local function parameter_index (plugin, name)
	for i = 0, plugin:parameter_count () - 1 do
		if plugin:parameter_label (i) == name then return i end
	end
	return nil
end

-- The value the plug-in itself reports; Ardour reads none from LV2.
local function plugin_value (proc, plugin, format, name)
	if format.properties then return nil end
	local index = parameter_index (plugin, name)
	return index and ARDOUR.LuaAPI.get_processor_param (proc, index, true)
end

-- One "name=value" per line, read back by the verify step.
local function write_values (path, values)
	local file = assert (io.open (path, "w"))
	for _, s in ipairs (SETTINGS) do
		file:write (string.format ("%s=%.9g\n", s.name, values[s.name]))
	end
	file:close ()
end

local function read_values (path)
	local values = {}
	local file = io.open (path, "r")
	if not file then return nil end
	for line in file:lines () do
		local name, value = line:match ("^(.-)=(.*)$")
		if name then values[name] = tonumber (value) end
	end
	file:close ()
	return values
end

local function record_dry_take (track)
	track:rec_enable_control ():set_value (1, PBD.GroupControlDisposition.NoGroup)
	Session:maybe_enable_record (false)
	Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
	ARDOUR.LuaAPI.usleep (RECORD_SECONDS * 1000000)
	check (Session:actively_recording (), "Ardour recorded from the Dummy backend")
	Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
	for _ = 1, 50 do
		ARDOUR.LuaAPI.usleep (100000)
		if not Session:transport_rolling () and track:playlist ():region_list ():size () > 0 then break end
	end
	track:rec_enable_control ():set_value (0, PBD.GroupControlDisposition.NoGroup)
	Session:disable_record (false, false)
	return track:playlist ():region_list ():size () > 0
end

-- VST3 and LV2 hosts list the factory presets; the VST 2.4 library shows
-- no programs. Loading the last one must change the plug-in's values.
local function check_presets (proc, plugin, format)
	-- Ardour answers nil for a label it does not know.
	local first, last = plugin:preset_by_label (FIRST_PRESET), plugin:preset_by_label (LAST_PRESET)
	local found = first ~= nil and first.valid and last ~= nil and last.valid
	if not format.presets then
		check (first == nil and last == nil, "Ardour lists no presets of the VST 2.4 library")
		return
	end
	check (found, "Ardour lists the factory presets", found and
		string.format ("%s: %s, %s: %s", FIRST_PRESET, first.uri, LAST_PRESET, last.uri) or nil)
	if not found then return end
	check (plugin:load_preset (last), "Ardour loads the preset " .. LAST_PRESET)
	ARDOUR.LuaAPI.usleep (200000)
	local value = plugin_value (proc, plugin, format, "LFO 2 Note Rate")
	if value then
		check (math.abs (value - LAST_PRESET_LFO2_NOTE_RATE) < 1e-3, "the preset reached the plug-in",
			string.format ("LFO 2 Note Rate %.4f (preset %.4f)", value, LAST_PRESET_LFO2_NOTE_RATE))
	end
end

local function create (format_name, dir)
	local format = FORMATS[format_name]
	start_engine ()
	if not create_session (dir, SESSION_NAME, 48000) then abort ("create session " .. dir) end

	local tracks = Session:new_audio_track (2, 2, nil, 1, "Tone", ARDOUR.PresentationInfo.max_order,
		ARDOUR.TrackMode.Normal, true, false)
	if tracks:size () ~= 1 then abort ("add a stereo audio track") end
	local track = tracks:front ()
	check (track:n_inputs ():n_audio () == 2, "stereo audio track added")

	-- Record before the plug-in goes in, so the take is certainly dry.
	if not record_dry_take (track) then abort ("record a dry take") end

	local proc = ARDOUR.LuaAPI.new_plugin (Session, format.find, format.type, "")
	if proc:isnil () then abort ("Ardour found no " .. format_name .. " plug-in " .. format.find) end
	if track:add_processor_by_index (proc, 0, nil, true) ~= 0 then abort ("insert Quilvern on the track") end
	local plugin = proc:to_insert ():plugin (0)
	check (tostring (plugin:unique_id ()) == format.id, "Quilvern inserted", string.format ("%s by %s, id %s, category %s",
		plugin:name (), plugin:maker (), tostring (plugin:unique_id ()), plugin:get_info ().category))

	check_presets (proc, plugin, format)

	local values = {}
	for _, s in ipairs (SETTINGS) do
		local control = find_control (proc, format, s)
		if not control then
			check (false, "parameter " .. s.name .. " has an automation control")
		else
			local before = control:get_value ()
			control:set_value (s.value, PBD.GroupControlDisposition.NoGroup)
			values[s.name] = control:get_value ()
			check (math.abs (values[s.name] - s.value) < 1e-3, "Ardour automates " .. s.name,
				string.format ("%.4f -> %.4f (asked %.4f)", before, values[s.name], s.value))
		end
	end
	write_values (dir .. "/expected-values.txt", values)

	-- Let audio run through the plug-in in real time for a moment as well.
	Session:goto_start (false)
	Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
	ARDOUR.LuaAPI.usleep (1000000)
	Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
	ARDOUR.LuaAPI.usleep (300000)

	check (Session:save_state ("", false, false, false, false, false) == 0, "session saved")
	proc:deactivate ()
	check (Session:save_state (DRY_SNAPSHOT, false, false, false, false, false) == 0,
		"snapshot with Quilvern deactivated saved")
end

-- Minimal RIFF/WAVE reader: PCM 16/24/32 bit and 32-bit float, plain or
-- extensible. Returns channels (1-based arrays of floats) and the rate.
local function read_wav (path)
	local file = io.open (path, "rb")
	if not file then return nil, "cannot open " .. path end
	local data = file:read ("a")
	file:close ()
	if data:sub (1, 4) ~= "RIFF" or data:sub (9, 12) ~= "WAVE" then return nil, "not a WAVE file" end
	local pos, format, channels, rate, bits, samples = 13
	while pos + 8 <= #data do
		local id, size = data:sub (pos, pos + 3), string.unpack ("<I4", data, pos + 4)
		local body = pos + 8
		if id == "fmt " then
			format, channels, rate = string.unpack ("<I2I2I4", data, body)
			bits = string.unpack ("<I2", data, body + 14)
			if format == 0xFFFE then format = string.unpack ("<I2", data, body + 24) end
		elseif id == "data" then
			samples = { start = body, size = math.min (size, #data - body + 1) }
		end
		pos = body + size + (size % 2)
	end
	if not format or not samples then return nil, "no fmt or data chunk" end
	local code
	if format == 3 and bits == 32 then code = "<f"
	elseif format == 1 and bits == 16 then code = "<i2"
	elseif format == 1 and bits == 24 then code = "<i3"
	elseif format == 1 and bits == 32 then code = "<i4"
	else return nil, string.format ("unsupported format %d/%d bits", format, bits) end
	local scale = format == 3 and 1 or 2 ^ (bits - 1)
	local step = bits // 8
	local out = {}
	for c = 1, channels do out[c] = {} end
	local frames = samples.size // (step * channels)
	local p = samples.start
	for f = 1, frames do
		for c = 1, channels do
			out[c][f] = string.unpack (code, data, p) / scale
			p = p + step
		end
	end
	return out, rate
end

local function rms (xs, n)
	local sum = 0
	for i = 1, n do sum = sum + xs[i] * xs[i] end
	return math.sqrt (sum / math.max (n, 1))
end

local function rms_difference (a, b, n)
	local sum = 0
	for i = 1, n do local d = a[i] - b[i]; sum = sum + d * d end
	return math.sqrt (sum / math.max (n, 1))
end

local function db (x)
	return x > 0 and 20 * math.log (x, 10) or -math.huge
end

local function dry_take_files (track)
	local files = {}
	for region in track:playlist ():region_list ():iter () do
		local audio = region:to_audioregion ()
		for c = 0, audio:n_channels () - 1 do
			local fs = audio:source (c):to_filesource ()
			if not fs:isnil () then files[#files + 1] = fs:path () end
		end
		break
	end
	return files
end

local function read_dry_take (track)
	local files = dry_take_files (track)
	if not check (#files == 2, "dry take found", table.concat (files, ", ")) then return nil end
	local take = {}
	for c, path in ipairs (files) do
		local channels = read_wav (path)
		if not check (channels ~= nil, "dry take readable", path) then return nil end
		take[c] = channels[1]
	end
	return take
end

-- The dry export must match the take (only the region's short fades differ,
-- about -33 dB), the wet export must not: together they show that audio
-- reached the plug-in and came back changed, not merely offset.
local DIFFERENCE_THRESHOLD = 0.1 -- -20 dB relative to the take

local function compare_export (take, path, label, expect_change, expect_quiet)
	local export, rate = read_wav (path)
	if not check (export ~= nil, label .. " export readable", export and path or rate) then return end
	if not check (#export == 2, label .. " export is stereo",
		string.format ("%d channels, %d Hz, %d frames", #export, rate, #export[1])) then return end

	for c, side in ipairs ({ "left", "right" }) do
		local n = math.min (#take[c], #export[c])
		local take_rms, export_rms = rms (take[c], n), rms (export[c], n)
		local relative = rms_difference (export[c], take[c], n) / math.max (take_rms, 1e-12)
		check (export_rms > 1e-4, string.format ("%s %s export is not silent", label, side),
			string.format ("%.1f dBFS RMS (take %.1f dBFS) over %d frames", db (export_rms), db (take_rms), n))
		local difference = string.format ("export - take = %.1f dB", db (relative))
		if expect_quiet then
			check (db (export_rms / math.max (take_rms, 1e-12)) < QUIET_EXPORT_DB,
				string.format ("%s %s export has the saved output volume", label, side),
				string.format ("export %.1f dB against the take (a lost state plays about -6 dB)", db (export_rms / math.max (take_rms, 1e-12))))
		end
		if expect_change then
			check (relative > DIFFERENCE_THRESHOLD,
				string.format ("%s %s export differs from the dry take", label, side), difference)
		else
			check (relative < DIFFERENCE_THRESHOLD,
				string.format ("%s %s export matches the dry take", label, side), difference)
		end
	end
end

local function verify (format_name, dir, wet_path, dry_path)
	local format = FORMATS[format_name]
	start_engine ()
	if not load_session (dir, SESSION_NAME) then abort ("reload session " .. dir) end
	check (true, "session reloaded")

	local track = the_track ()
	if not track then abort ("track found after reload") end
	local proc, plugin = find_quilvern (track, format)
	if not proc then abort ("Quilvern found on the track after reload") end
	check (proc:active (), "Quilvern active after reload")

	local expected = read_values (dir .. "/expected-values.txt")
	if not expected then abort ("read the values the create step stored") end
	for _, s in ipairs (SETTINGS) do
		local value = plugin_value (proc, plugin, format, s.name)
		if value ~= nil or not format.properties then
			check (value ~= nil and expected[s.name] ~= nil and math.abs (value - expected[s.name]) < 1e-4,
				s.name .. " came back", string.format ("%s (saved %s)", tostring (value), tostring (expected[s.name])))
		end
	end

	local take = read_dry_take (track)
	if take then
		compare_export (take, dry_path, "dry", false, false)
		compare_export (take, wet_path, "wet", true, true)
	end
end

local mode, format_name, dir = arg[1], arg[2], arg[3]
if not FORMATS[format_name or ""] then
	abort ("usage: ardour-check.lua create|verify vst|vst3|lv2 SESSION_DIR [WET_WAV DRY_WAV]")
elseif mode == "create" and dir then
	create (format_name, dir)
elseif mode == "verify" and dir and arg[4] and arg[5] then
	verify (format_name, dir, arg[4], arg[5])
else
	abort ("usage: ardour-check.lua create|verify vst|vst3|lv2 SESSION_DIR [WET_WAV DRY_WAV]")
end

-- Drop Lua's references first, so closing the session really deletes the
-- plug-in (effMainsChanged off, then effClose) while the engine still runs.
collectgarbage ()
collectgarbage ()
close_session ()
os.exit (failures == 0 and 0 or 1)
