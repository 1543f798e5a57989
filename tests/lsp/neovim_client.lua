-- Neovim's own LSP client against nimbrel-lsp, run headless by
-- neovim_test.sh: the diagnostics, a hover, a definition jump and a rename,
-- each read back through the client and checked.

local server, file = os.getenv('NIMBREL_LSP'), os.getenv('NIMBREL_FILE')
local failures = {}
local function check(ok, what)
  if not ok then table.insert(failures, what) end
end
local function finish()
  if #failures > 0 then
    io.stderr:write('FAILED: ' .. table.concat(failures, '\nFAILED: ') .. '\n')
    vim.cmd('cquit 1')
  end
  io.stdout:write('neovim: diagnostics, hover, definition and rename checked\n')
  vim.cmd('qall!')
end

-- A Lua error (an answer of an unexpected shape) fails the run at once
-- instead of leaving Neovim waiting for the timeout.
local function run()
  -- The file is Shift-JIS, as most definition files are.
  vim.cmd('edit ++enc=cp932 ' .. vim.fn.fnameescape(file))
  local buf = vim.api.nvim_get_current_buf()
  local client = vim.lsp.start_client({ name = 'nimbrel', cmd = { server }, root_dir = vim.fn.fnamemodify(file, ':h') })
  check(client ~= nil, 'the server starts')
  vim.lsp.buf_attach_client(buf, client)

  vim.wait(5000, function() return #vim.diagnostic.get(buf) >= 2 end, 20)
  local codes = {}
  for _, d in ipairs(vim.diagnostic.get(buf)) do codes[d.code] = d end
  check(codes['unknown-line'] ~= nil, 'a diagnostic for the misspelt keyword')
  check(codes['unknown-line'] and codes['unknown-line'].message:find('#PATERN', 1, true), 'its message names #PATERN')
  check(codes['pattern-undefined'] ~= nil, 'a diagnostic for the undefined pattern')
  local undefined = codes['pattern-undefined']
  check(undefined and vim.api.nvim_buf_get_lines(buf, undefined.lnum, undefined.lnum + 1, false)[1]
    :sub(undefined.col + 1, undefined.end_col) == 'FE', 'the undefined pattern is marked at "FE"')

  -- The first base list line: its first pair is pattern 02.
  local list = vim.fn.search('^#PATERN 01 ', 'nw') - 1
  local function at(line, character)
    return { textDocument = { uri = vim.uri_from_bufnr(buf) }, position = { line = line, character = character } }
  end
  local function ask(method, params)
    local answers = vim.lsp.buf_request_sync(buf, method, params, 5000) or {}
    local answer = answers[client] or {}
    check(answer.err == nil, method .. ' answers without an error')
    return answer.result
  end

  local hover = ask('textDocument/hover', at(list, 11))
  local text = hover and hover.contents and hover.contents.value or ''
  check(text:find('パターン 02', 1, true), 'the hover names pattern 02: ' .. text)
  check(text:find('左 0, 上 400, 幅 121, 高さ 200', 1, true), 'the hover gives its rectangle')

  local definition = ask('textDocument/definition', at(list, 11))
  vim.lsp.util.jump_to_location(definition, 'utf-16')
  local cursor = vim.api.nvim_win_get_cursor(0)
  check(vim.api.nvim_get_current_line():find('^#02 0 400 121 200'), 'the jump lands on the line of pattern 02')
  check(cursor[2] == 1, 'the jump lands on the number')

  local edit = ask('textDocument/rename', vim.tbl_extend('force', at(list, 11), { newName = 'F0' }))
  vim.lsp.util.apply_workspace_edit(edit, 'utf-16')
  check(vim.api.nvim_get_current_line():find('^#F0 0 400 121 200'), 'the pattern line is renamed')
  local renamed = vim.api.nvim_buf_get_lines(buf, list, list + 1, false)[1]
  check(renamed:sub(12, 13) == 'F0' and not renamed:find('02', 12, true), 'every 02 of the list is renamed: ' .. renamed)
end

local ok, err = xpcall(run, debug.traceback)
check(ok, 'the script stopped: ' .. tostring(err))
finish()
